#include "forms/windows/form_builder.h"

#include "forms/controls/caption_label.h"
#include "forms/controls/colour_role.h"
#include "forms/controls/command_button.h"
#include "forms/controls/frame_box.h"
#include "forms/controls/limited_line_edit.h"
#include "forms/controls/picture_box.h"
#include "forms/windows/fonts.h"
#include "forms/windows/text_conversion.h"

#include <QFont>
#include <QRect>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace quantelo {

namespace {

// A caption as assistive technology should read it: without the access-key
// "&" and runs of blanks.
QString spokenCaption(std::string_view caption)
{
    QString spoken = toQString(caption);
    spoken.remove(QLatin1Char('&'));
    return spoken.simplified();
}

QFont toQFont(const FontDescription& font)
{
    return controlFont(toQString(font.face), font.pointSize, font.weight);
}

QRect toQRect(const PixelRect& rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

Qt::Alignment horizontal(TextAlignment alignment)
{
    return alignment == TextAlignment::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
}

bool takesFocus(ControlKind kind)
{
    return kind == ControlKind::TextBox || kind == ControlKind::CommandButton || kind == ControlKind::PictureBox;
}

QWidget* createControl(const ControlDescription& control, QWidget& parent)
{
    const QString caption = toQString(control.caption);
    switch (control.kind) {
    case ControlKind::Label: {
        auto* label = new CaptionLabel(&parent);
        label->setAlignment(horizontal(control.alignment) | Qt::AlignTop);
        label->setAutoFillBackground(true); // opaque
        label->setEmptyCaptionName(toQString(control.accessibleName));
        label->setCaption(caption);
        return label;
    }
    case ControlKind::TextBox: {
        auto* box = new LimitedLineEdit(&parent);
        box->setBackgroundRole(QPalette::Base);
        box->setForegroundRole(QPalette::Text);
        box->setAlignment(horizontal(control.alignment) | Qt::AlignVCenter);
        box->setTypingLimit(control.typingLimit);
        box->setProgramText(caption);
        box->setAccessibleName(toQString(control.accessibleName));
        return box;
    }
    case ControlKind::Frame: {
        auto* frame = new FrameBox(caption, &parent);
        frame->setAutoFillBackground(true);
        frame->setAccessibleName(spokenCaption(control.caption));
        return frame;
    }
    case ControlKind::CommandButton: {
        auto* button = new CommandButton(caption, &parent);
        button->setAccessibleName(spokenCaption(control.caption));
        return button;
    }
    case ControlKind::PictureBox: {
        auto* picture = new PictureBox(&parent);
        picture->setAutoFillBackground(true);
        picture->setFocusPolicy(Qt::StrongFocus);
        picture->setAccessibleName(toQString(control.accessibleName));
        return picture;
    }
    }
    qFatal("%s: unknown control kind", qUtf8Printable(toQString(control.name)));
}

} // namespace

void buildForm(QWidget& window, const FormDescription& form)
{
    window.setObjectName(toQString(form.name));
    window.setWindowTitle(toQString(form.caption));
    const PixelSize client = twipsToPixels(ClientSize);
    window.setFixedSize(client.width, client.height);
    setBackColor(window, WindowBackColor);

    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const ControlDescription& control : form.controls) {
        QWidget* parent = &window;
        if (!control.container.empty()) {
            parent = window.findChild<QWidget*>(toQString(control.container));
            if (parent == nullptr)
                qFatal("%s: the container %s must come before %s", qUtf8Printable(window.objectName()),
                       qUtf8Printable(toQString(control.container)), qUtf8Printable(toQString(control.name)));
        }
        QWidget* widget = createControl(control, *parent);
        widget->setObjectName(toQString(control.name));
        widget->setGeometry(toQRect(twipsToPixels(control.rect)));
        widget->setFont(toQFont(control.font));
        setColours(*widget, control.backColor.value_or(defaultBackColor(control.kind)),
                   control.foreColor.value_or(defaultForeColor(control.kind)));
        if (takesFocus(control.kind))
            focusOrder.emplace_back(control.tabIndex, widget);
        else
            widget->setFocusPolicy(Qt::NoFocus);
    }

    std::stable_sort(focusOrder.begin(), focusOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
}

} // namespace quantelo
