#pragma once

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace quantelo {

// What a screen reader is told about the controls and windows, beyond what
// Qt tells it of its own widgets. Every way round the limits of the Qt and
// the screen readers the program meets is here, in accessibility.cpp.

// Puts the program's accessible interfaces in place of Qt's for its
// controls; once per program, before the first control is made.
void installAccessibleInterfaces();

// Makes `widget` known to screen readers in `role`, whatever its class;
// called before anything asks about the widget (first thing in its
// constructor).
void setAccessibleRole(QWidget& widget, QAccessible::Role role);

// Tells a screen reader a short text without moving the focus: a child of a
// window that takes no room and draws nothing.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget* parent);

    void announce(const QString& text);
};

} // namespace quantelo
