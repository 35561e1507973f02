// Writes the page's markup and layout from the windows' tables, at build
// time: nothing of the tables is written by hand into the page.
//
//   quantelo_page_generator TEMPLATE OUTPUT-FOLDER
//
// TEMPLATE is web/page/index.html.in; in OUTPUT-FOLDER it writes
//   index.html   the template with its @…@ fields filled: the four views,
//                the message box's caption
//   layout.css   each control's place (twips become CSS pixels here, the
//                page's one conversion), face, size and colours

#include "calc/window_model.h"
#include "layout/calculators.h"
#include "layout/form_description.h"
#include "layout/main_layout.h"
#include "layout/twips.h"
#include "web/module/css_colour.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace quantelo::page {
namespace {

// The page's views: the main window, then a view for each calculator row
// (layout/calculators.h), numbered as the module numbers them, by the row's
// place. The address is the fragment that names the view.
struct View {
    const FormDescription& (*form)();
    std::string_view address;
    int module; // -1: not a calculator
};

// Each calculator's address, by its row.
constexpr PerCalculator<std::string_view> Addresses = [] {
    PerCalculator<std::string_view> addresses{};
    addresses[index(Calculator::LineToLine)] = "three-phase-ll";
    addresses[index(Calculator::LineToNeutral)] = "three-phase-ln";
    addresses[index(Calculator::SinglePhase)] = "single-phase";
    return addresses;
}();
static_assert(std::none_of(Addresses.begin(), Addresses.end(), [](std::string_view a) { return a.empty(); }),
              "every calculator needs its address");

std::vector<View> allViews()
{
    std::vector<View> all{View{mainForm, "", -1}};
    for (const CalculatorRow& calculator : Calculators) {
        const std::size_t at = index(calculator.which);
        all.push_back(View{calculator.form, Addresses[at], static_cast<int>(at)});
    }
    return all;
}

// The address the main window's button `name` opens, if it opens one.
std::string_view opens(std::string_view name)
{
    for (const CalculatorRow& calculator : Calculators) {
        if (calculator.mainButton == name)
            return Addresses[index(calculator.which)];
    }
    return {};
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// A caption with its "&" access key: the key (lower case, or 0) and the
// markup with the key underlined, as the desktop draws it.
struct Caption {
    char key = 0;
    std::string markup;
};

Caption caption(std::string_view text)
{
    Caption result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
            if (text[i] != '&' && result.key == 0) {
                result.key = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
                result.markup += "<u>" + escaped(std::string_view(&text[i], 1)) + "</u>";
                continue;
            }
        }
        result.markup += escaped(std::string_view(&text[i], 1));
    }
    return result;
}

std::string withoutKey(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

bool isModelLabel(std::string_view name)
{
    return std::any_of(AllLabels.begin(), AllLabels.end(), [&](Label label) { return name == controlName(label); });
}

std::string id(const FormDescription& form, std::string_view control)
{
    return std::string(form.name) + "-" + std::string(control);
}

// The faces that come with the page stand in for the faces the tables ask
// for, as on the desktop (forms/windows/fonts.cpp): Wine's Tahoma for
// Tahoma and MS Sans Serif, Liberation Sans for the Arial faces.
std::string family(std::string_view face)
{
    if (face == "Tahoma" || face == "MS Sans Serif")
        return R"("Quantelo Tahoma",Tahoma,"Liberation Sans",sans-serif)";
    return R"("Quantelo Sans","Liberation Sans",Arial,sans-serif)";
}

std::string number(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    return out.str();
}

// WCAG's contrast of two sRGB colours 0xRRGGBB.
double luminance(unsigned rgb)
{
    double sum = 0;
    constexpr std::array weights{0.2126, 0.7152, 0.0722};
    for (std::size_t channel = 0; channel < 3; ++channel) {
        const double c = ((rgb >> (16 - 8 * channel)) & 0xFFU) / 255.0;
        sum += weights.at(channel) * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double contrast(unsigned a, unsigned b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The browsers' button faces the page is judged on: the darker of
// Chromium's and Firefox's light ones, the lighter of their dark ones.
constexpr unsigned LightFace = 0xE9E9EDU;
constexpr unsigned DarkFace = 0x6B6B6BU;

// A fixed text colour on the window's face in one scheme: as the table
// gives it where it is readable enough for the web's contrast rule,
// otherwise mixed with the scheme's button text (black on `LightFace`,
// white on `DarkFace`) just enough; the hue stays.
std::string readableFore(ColourValue fore, const FontDescription& font, bool dark)
{
    const unsigned rgb = ((fore & 0xFFU) << 16) | (fore & 0xFF00U) | ((fore >> 16) & 0xFFU);
    const bool large = font.pointSize >= 18 || (font.weight >= BoldWeight && font.pointSize >= 14);
    const double needed = large ? 3.1 : 4.6;
    const unsigned ink = dark ? 0xFFU : 0U;
    for (unsigned mix = 0; mix <= 100; mix += 5) {
        unsigned mixed = 0;
        for (const unsigned shift : {16U, 8U, 0U}) {
            const unsigned c = (rgb >> shift) & 0xFFU;
            mixed |= ((c * (100U - mix) + ink * mix) / 100U) << shift;
        }
        if (contrast(mixed, dark ? DarkFace : LightFace) >= needed)
            return mix == 0
                ? cssColour(fore)
                : "color-mix(in srgb," + cssColour(fore) + " " + std::to_string(100U - mix) + "%,ButtonText)";
    }
    return "ButtonText";
}

void writeControlCss(std::ostream& css, std::ostream& wide, std::ostream& dark, const FormDescription& form,
                     const ControlDescription& control)
{
    std::string selector = "#";
    selector += id(form, control.name);
    const ColourValue back = control.backColor.value_or(defaultBackColor(control.kind));
    const ColourValue fore = control.foreColor.value_or(defaultForeColor(control.kind));
    css << selector << "{font:" << (control.font.weight >= BoldWeight ? "700 " : "400 ")
        << number(control.font.pointSize) << "pt " << family(control.font.face);
    if (control.kind != ControlKind::PictureBox) {
        css << ";background:" << cssColour(back) << ";color:";
        if (!isSystemColour(fore) && !isModelLabel(control.name) && !control.backColor) {
            css << readableFore(fore, control.font, false);
            dark << selector << "{color:" << readableFore(fore, control.font, true) << "}\n";
        } else {
            css << cssColour(fore);
        }
    }
    if (control.alignment == TextAlignment::Centre)
        css << ";text-align:center";
    css << "}\n";
    // A control lies above those made before it.
    const auto made = std::distance(form.controls.data(), &control);
    wide << selector << "{left:" << twipsToPixels(control.rect.left) << "px;top:" << twipsToPixels(control.rect.top)
         << "px;width:" << twipsToPixels(control.rect.width) << "px;height:" << twipsToPixels(control.rect.height)
         << "px;z-index:" << made << "}\n";
}

void writeControl(std::ostream& html, const FormDescription& form, const ControlDescription& control)
{
    const std::string cid = id(form, control.name);
    const std::string common = "id=\"" + cid + "\" data-control=\"" + std::string(control.name) + "\"";
    const std::string tab = " tabindex=\"" + std::to_string(control.tabIndex + 1) + "\"";
    switch (control.kind) {
    case ControlKind::Label:
        html << "<div class=\"c label\" " << common;
        if (isModelLabel(control.name)) {
            // A status: named by the table while it is empty (app.js keeps
            // that), announced through the page's one live region.
            html << " role=\"status\" aria-live=\"off\" data-name=\"" << escaped(control.accessibleName)
                 << "\" aria-label=\"" << escaped(control.accessibleName) << "\"";
        }
        html << ">" << escaped(control.caption) << "</div>\n";
        break;
    case ControlKind::TextBox:
        html << "<input class=\"c box\" " << common << " type=\"text\" inputmode=\"decimal\" spellcheck=\"false\""
             << " aria-label=\"" << escaped(control.accessibleName) << "\" data-limit=\"" << control.typingLimit << "\""
             << tab << " value=\"" << escaped(control.caption) << "\">\n";
        break;
    case ControlKind::CommandButton: {
        // One inline run: a flex item apiece would split the accessible
        // name at the underlined key ("S olve").
        Caption text = caption(control.caption);
        text.markup = "<span>" + text.markup + "</span>";
        const std::string key = text.key ? std::string(" accesskey=\"") + text.key + "\"" : "";
        // A button that opens a calculator names its address, which the
        // page goes to (Back and bookmarks follow the address).
        const std::string_view address = opens(control.name);
        const std::string target = address.empty() ? std::string() : " data-opens=\"#" + std::string(address) + "\"";
        html << "<button type=\"button\" class=\"c button\" " << common << target << key << tab << ">" << text.markup
             << "</button>\n";
        break;
    }
    case ControlKind::PictureBox:
        html << "<div class=\"c picture\" " << common << "><img src=\"title.jpg\" alt=\""
             << escaped(control.accessibleName.empty() ? control.caption : control.accessibleName) << "\"></div>\n";
        break;
    case ControlKind::Frame: break; // written by writeControls
    }
}

// The controls held by `container` (empty: the window), frames with theirs.
// The controls held by `container` in reading order: creation order, except
// that a control goes before every control lying wholly below it (the main
// window makes its lowest button before the middle one). The narrow layout
// and screen readers follow this order; the wide layout stacks the controls
// in creation order still (z-index, writeControlCss).
std::vector<const ControlDescription*> readingOrder(const FormDescription& form, std::string_view container)
{
    std::vector<const ControlDescription*> order;
    for (const auto& control : form.controls) {
        if (control.container != container)
            continue;
        const int bottom = control.rect.top + control.rect.height;
        const auto below = std::find_if(order.begin(), order.end(),
                                        [&](const ControlDescription* other) { return other->rect.top >= bottom; });
        order.insert(below, &control);
    }
    return order;
}

void writeControls(std::ostream& html, const FormDescription& form, std::string_view container)
{
    for (const ControlDescription* row : readingOrder(form, container)) {
        const ControlDescription& control = *row;
        if (control.kind == ControlKind::Frame) {
            const std::string cid = id(form, control.name);
            html << "<div class=\"c frame\" id=\"" << cid << "\" data-control=\"" << control.name
                 << "\" role=\"group\" aria-labelledby=\"" << cid << "-caption\">\n<span class=\"legend\" id=\"" << cid
                 << "-caption\">" << escaped(withoutKey(control.caption)) << "</span>\n";
            writeControls(html, form, control.name);
            html << "</div>\n";
        } else {
            writeControl(html, form, control);
        }
    }
}

void writeView(std::ostream& html, std::ostream& css, std::ostream& wide, std::ostream& dark, const View& view)
{
    const FormDescription& form = view.form();
    html << "<section class=\"window\" id=\"" << form.name << "\" data-address=\"" << view.address << "\"";
    if (view.module >= 0)
        html << " data-view=\"" << view.module << "\"";
    html << " aria-labelledby=\"" << form.name << "-title\" hidden>\n<h1 class=\"titlebar\" id=\"" << form.name
         << "-title\">" << escaped(form.caption) << "</h1>\n<div class=\"client\">\n";
    writeControls(html, form, {});
    html << "</div>\n</section>\n";
    for (const auto& control : form.controls)
        writeControlCss(css, wide, dark, form, control);
}

std::string replaced(std::string text, std::string_view field, std::string_view value)
{
    const std::string key = "@" + std::string(field) + "@";
    for (auto at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
        text.replace(at, key.size(), value);
    return text;
}

} // namespace
} // namespace quantelo::page

int main(int argc, char** argv)
{
    using namespace quantelo;
    using namespace quantelo::page;
    if (argc != 3) {
        std::cerr << "usage: quantelo_page_generator TEMPLATE OUTPUT-FOLDER\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::string pageTemplate{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    std::ostringstream views;
    std::ostringstream css;
    std::ostringstream wide;
    std::ostringstream dark;
    for (const auto& view : allViews()) {
        writeView(views, css, wide, dark, view);
    }
    const std::string folder = argv[2];
    std::ofstream html(folder + "/index.html", std::ios::binary);
    html << replaced(replaced(pageTemplate, "VIEWS", views.str()), "APPLICATION_TITLE", ApplicationTitle);
    std::ofstream layout(folder + "/layout.css", std::ios::binary);
    layout << "/* Written by quantelo_page_generator from the windows' tables. */\n"
           << css.str() << "@media (min-width:760px){\n"
           << ".client{width:" << twipsToPixels(ClientSize.width) << "px;height:" << twipsToPixels(ClientSize.height)
           << "px}\n"
           << wide.str() << "}\n@media (prefers-color-scheme:dark){\n"
           << dark.str() << "}\n";
    if (!html || !layout) {
        std::cerr << "cannot write into " << folder << "\n";
        return 1;
    }
    return 0;
}
