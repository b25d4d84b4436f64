#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace lvx::test {

// The control a window names so; a test that cannot find it stops at once.
template <typename T = QWidget>
T* control(QWidget& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
    return found;
}

template <typename T = QWidget>
T* control(QWidget* window, const QString& name)
{
    return control<T>(*window, name);
}

// Runs `act` on the modal dialog the next command opens, once it is up.
inline void onNextModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act = std::move(act)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        }
    });
    timer->start();
}

} // namespace lvx::test
