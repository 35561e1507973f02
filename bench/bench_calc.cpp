#include "calc/commands.h"
#include "calc/number_text.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <cstddef>
#include <string>
#include <string_view>

// Each conversion is measured beside the standard conversion it wraps, on
// the same text or value, so that the cost of the grammar and the pattern
// around std::from_chars / std::to_chars shows as the difference.

namespace {

using quantelo::FormatPattern;

// Inputs are read through a volatile each iteration so that nothing is
// computed once outside the loop. (DoNotOptimize on a float lvalue is not
// used: with GCC 12 and Google Benchmark 1.7.1 Format then received a wrong
// value.) Each benchmark shows its last result as its label, to check that
// it computed what it claims.

void valText(benchmark::State& state, std::string_view typed)
{
    const std::string text(typed);
    const char* volatile data = text.data();
    double value = 0.0;
    for (auto _ : state) {
        value = quantelo::Val({data, text.size()});
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(std::to_string(value));
}

void fromCharsText(benchmark::State& state, std::string_view typed)
{
    const std::string text(typed);
    const char* volatile data = text.data();
    double value = 0.0;
    for (auto _ : state) {
        const char* first = data;
        std::from_chars(first, first + text.size(), value);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(std::to_string(value));
}

BENCHMARK_CAPTURE(valText, 230, "230");
BENCHMARK_CAPTURE(fromCharsText, 230, "230");
BENCHMARK_CAPTURE(valText, 0_8, "0.8");
BENCHMARK_CAPTURE(fromCharsText, 0_8, "0.8");
BENCHMARK_CAPTURE(valText, 999990_1, "999990.1");
BENCHMARK_CAPTURE(fromCharsText, 999990_1, "999990.1");
BENCHMARK_CAPTURE(valText, 1_5E3, "1.5E3");
BENCHMARK_CAPTURE(fromCharsText, 1_5E3, "1.5E3");

void formatValue(benchmark::State& state, float number, const FormatPattern& pattern)
{
    volatile const float input = number;
    std::string text;
    for (auto _ : state) {
        text = quantelo::Format(input, pattern);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetLabel(text);
}

void toCharsValue(benchmark::State& state, float number, const FormatPattern& pattern)
{
    volatile const float input = number;
    std::array<char, 64> buffer{};
    char* end = buffer.data();
    for (auto _ : state) {
        end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), static_cast<double>(input),
                            std::chars_format::fixed, pattern.decimals)
                  .ptr;
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetLabel(std::string(buffer.data(), end));
}

BENCHMARK_CAPTURE(formatValue, power_5_52, 5.52F, quantelo::PowerFormat);
BENCHMARK_CAPTURE(toCharsValue, power_5_52, 5.52F, quantelo::PowerFormat);
BENCHMARK_CAPTURE(formatValue, power_999990_0625, 999990.0625F, quantelo::PowerFormat);
BENCHMARK_CAPTURE(toCharsValue, power_999990_0625, 999990.0625F, quantelo::PowerFormat);
BENCHMARK_CAPTURE(formatValue, pf_0_8, 0.8F, quantelo::PFFormat);
BENCHMARK_CAPTURE(toCharsValue, pf_0_8, 0.8F, quantelo::PFFormat);
BENCHMARK_CAPTURE(formatValue, pf_minus_0_004, -0.004F, quantelo::PFFormat);
BENCHMARK_CAPTURE(toCharsValue, pf_minus_0_004, -0.004F, quantelo::PFFormat);

// Long texts: the time per byte stays flat, whatever the text holds.
void valMegabyte(benchmark::State& state, std::string text)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(quantelo::Val(text));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

constexpr std::size_t Megabyte = 1U << 20U;
BENCHMARK_CAPTURE(valMegabyte, digits, "0." + std::string(Megabyte, '3'));
BENCHMARK_CAPTURE(valMegabyte, blanks_between_digits, "1" + std::string(Megabyte, ' ') + "2");
BENCHMARK_CAPTURE(valMegabyte, letters, "7" + std::string(Megabyte, 'a'));

// A calculator window that keeps its texts in memory and ignores the rest.
class MemoryWindow final : public quantelo::CalculatorWindowModel {
public:
    [[nodiscard]] std::string text(quantelo::TextBox box) const override { return m_texts[index(box)]; }
    void setText(quantelo::TextBox box, std::string_view text) override { m_texts[index(box)] = text; }
    void setCaption(quantelo::Label label, std::string_view caption) override
    {
        m_captions[static_cast<std::size_t>(label)] = caption;
    }
    void setBackColor(quantelo::TextBox box, quantelo::ColourValue colour) override
    {
        m_boxColours[index(box)] = colour;
    }
    void setBackColor(quantelo::Label label, quantelo::ColourValue colour) override
    {
        m_labelColours[static_cast<std::size_t>(label)] = colour;
    }
    void focusClearButton() override { }
    void msgBox(std::string_view /*prompt*/, quantelo::Dismissed dismissed) override { dismissed(); }
    void announce(std::string_view /*text*/) override { }

private:
    static std::size_t index(quantelo::TextBox box) { return static_cast<std::size_t>(box); }

    std::array<std::string, 5> m_texts;
    std::array<std::string, 2> m_captions;
    std::array<quantelo::ColourValue, 5> m_boxColours{};
    std::array<quantelo::ColourValue, 2> m_labelColours{};
};

// The everyday Solve: 230 V, 10 A, power factor 0.8 on the line-to-neutral
// calculator. Solve rewrites the power factor as '0.80', which reads the
// same, so every iteration does the same work.
void solve(benchmark::State& state)
{
    MemoryWindow window;
    window.setText(quantelo::TextBox::txtVolts, "230");
    window.setText(quantelo::TextBox::txtAmps, "10");
    window.setText(quantelo::TextBox::txtPF, "0.8");
    quantelo::CalculatorCommands commands(window, quantelo::LineToNeutralCalculator);
    for (auto _ : state) {
        commands.cmdSolve_Click();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(solve);

} // namespace

BENCHMARK_MAIN();
