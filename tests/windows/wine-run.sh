#!/usr/bin/env bash
# scripts/lib/wine-run against a stand-in for wine that acts out a plan, a
# step for each start: "silent" ends with status 3 and prints nothing, "fail"
# prints a failure and ends with 1, "log" writes only Qt Test's log and ends
# with 1, "pass" prints and ends with 0.
set -u
wine_run=$1
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
cat >"$bin/wine" <<'STANDIN'
#!/usr/bin/env bash
n=$(($(cat "$STARTS" 2>/dev/null || echo 0) + 1)); echo $n >"$STARTS"
IFS=, read -ra plan <<<"$PLAN"
case ${plan[n - 1]} in
silent) exit 3 ;;
fail) echo "[  FAILED  ] a test"; exit 1 ;;
log) for a; do case $a in Z:*,txt) f=${a#Z:}; f=${f%,txt}; echo "FAIL!  : a test" >"${f//\\//}" ;; esac; done; exit 1 ;;
pass) echo "[  PASSED  ] a test" ;;
esac
STANDIN
chmod +x "$bin/wine"
failures=0
# plan | arguments | status wanted | starts wanted | output wanted
while IFS='|' read -r plan arguments status starts output; do
    export PLAN=$plan STARTS=$bin/starts
    rm -f "$STARTS"
    got=$(PATH="$bin:$PATH" "$wine_run" prog.exe $arguments 2>/dev/null); got_status=$?
    if [ "$got_status" != "$status" ] || [ "$(cat "$STARTS")" != "$starts" ] || [[ $got != *"$output"* ]]; then
        echo "plan $plan: status $got_status, $(cat "$STARTS") starts, output [$got]; wanted $status, $starts, [$output]"
        failures=$((failures + 1))
    fi
done <<'TABLE'
pass||0|1|PASSED
silent,pass||0|2|PASSED
silent,silent||3|2|
fail,pass||1|1|FAILED
log,pass|-o -,txt|1|1|FAIL!
silent,log|-o -,txt|1|2|FAIL!
TABLE
exit $((failures > 0))
