#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

// Acts on a window of the given class once it is shown and active: the way to reach a modal
// window from the test that opens it. Polls, since the code under test may let pending events
// run before it shows the window; gives up after about five seconds. Deleting the timer it
// answers stops the wait sooner.
template<typename Janela>
QTimer *AoAparecer(std::function<void(Janela &)> acao)
{
    auto *espera = new QTimer(QCoreApplication::instance());
    espera->setInterval(5);
    QObject::connect(espera, &QTimer::timeout, espera, [espera, acao, tentativas = 0]() mutable {
        for (QWidget *janela : QApplication::topLevelWidgets()) {
            auto *alvo = qobject_cast<Janela *>(janela);
            if (alvo && alvo->isVisible() && alvo->isActiveWindow()) {
                espera->stop();
                espera->deleteLater();
                acao(*alvo);
                return;
            }
        }
        if (++tentativas > 1000) {
            espera->stop();
            espera->deleteLater();
        }
    });
    espera->start();
    return espera;
}
