#include "components/uMenuContexto.h"

#include <QAction>
#include <QMenu>

void Reencaminhar(
    QMenu &menu, const char *nome, QObject *contexto, const std::function<void()> &acao)
{
    const QList<QAction *> acoes = menu.actions();
    for (QAction *opcao : acoes) {
        if (opcao->objectName() == QLatin1String(nome)) {
            opcao->disconnect();
            QObject::connect(opcao, &QAction::triggered, contexto, acao);
        }
    }
}
