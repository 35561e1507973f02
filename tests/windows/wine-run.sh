#!/usr/bin/env bash
# scripts/lib/wine-run against a stand-in for wine that takes a step of its
# plan at each start: "silent" ends with 3 and prints nothing, "fail" prints
# a failure and ends with 1, "log" writes Qt Test's log alone and ends with 1.
set -u
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
cat >"$bin/wine" <<'STANDIN'
#!/usr/bin/env bash
echo x >>"$STARTS"; IFS=, read -ra plan <<<"$PLAN"
case ${plan[$(wc -l <"$STARTS") - 1]} in
silent) exit 3 ;;
fail) echo "[  FAILED  ]"; exit 1 ;;
log) f=${3#Z:}; f=${f%,txt}; echo "FAIL!" >"${f//\\//}"; exit 1 ;;
pass) echo "[  PASSED  ]" ;;
esac
STANDIN
chmod +x "$bin/wine"
failures=0
# plan | arguments | status, starts and output wanted (standard output and
# error together: wine-run says on standard error when it starts once more)
while IFS='|' read -r plan arguments status starts output; do
    export PLAN=$plan STARTS=$bin/starts
    rm -f "$STARTS"
    got=$(PATH="$bin:$PATH" "$1" prog.exe $arguments 2>&1) && got_status=0 || got_status=$?
    got_starts=$(wc -l <"$STARTS")
    if [ "$got_status|$got_starts" != "$status|$starts" ] || [[ $got != *"$output"* ]]; then
        echo "plan $plan: status $got_status, $got_starts starts, [$got]; wanted $status, $starts, [$output]"
        failures=$((failures + 1))
    fi
done <<'TABLE'
silent,pass||0|2|PASSED
silent,silent||3|2|running it once more
fail,pass||1|1|FAILED
log,pass|-o -,txt|1|1|FAIL!
TABLE
exit $((failures > 0))
