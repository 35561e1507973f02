#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>

namespace quantelo {

// State the controls and windows share for as long as the application lives
// (a cache, what the display reported): held by the application object as a
// child, made on first use, and gone with the application, so a new
// application starts afresh. `State` is a QObject whose constructor takes
// the parent, with a unique `Name`. Only with a QCoreApplication.
template <typename State> State& applicationState()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        qFatal("%s is kept by the application object, and there is none", State::Name);
    const QString name = QString::fromLatin1(State::Name);
    if (auto* found = application->findChild<QObject*>(name, Qt::FindDirectChildrenOnly))
        return static_cast<State&>(*found);
    auto* made = new State(application);
    made->setObjectName(name);
    return *made;
}

} // namespace quantelo
