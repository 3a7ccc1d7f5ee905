#include "app/uAplicacao.h"

#include "common/uExcecoes.h"
#include "messages/ExibeMensagens.h"

#include <exception>

namespace {

void MostrarErro(const QString &texto)
{
    ExibeMensagem(tmErro, QStringLiteral("Atenção"), texto, bmContinuar);
}

} // namespace

TAplicacao::TAplicacao(int &argc, char **argv)
    : QApplication(argc, argv)
{
    // The user's settings live under these names (~/.config/Varenta/Varenta-Cotação.conf).
    setOrganizationName(QStringLiteral("Varenta"));
    setApplicationName(QStringLiteral("Varenta-Cotação"));
}

bool TAplicacao::notify(QObject *receptor, QEvent *evento)
{
    try {
        return QApplication::notify(receptor, evento);
    } catch (const EAbort &) {
    } catch (const Exception &erro) {
        MostrarErro(erro.Message());
    } catch (const std::exception &erro) {
        MostrarErro(QString::fromLocal8Bit(erro.what()));
    }
    return false;
}
