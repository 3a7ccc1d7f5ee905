#include "app/uAplicacao.h"
#include "app/uPrincipal.h"
#include "app/uTraducoes.h"
#include "messages/TelaMensagem.h"

#include <QStringList>
#include <QTimer>

// varenta-cotacao [arquivo.kvt]: the file given is opened at start as if chosen in the open
// dialog.
int main(int argc, char **argv)
{
    TAplicacao aplicacao(argc, argv);
    CarregarTraducoesQt(aplicacao);
    InstalarTelaMensagem();

    TfmCotacao fmCotacao;
    fmCotacao.show();

    const QStringList argumentos = TAplicacao::arguments();
    if (argumentos.size() > 1) {
        const QString arquivo = argumentos.at(1);
        QTimer::singleShot(0, &fmCotacao, [&fmCotacao, arquivo] { fmCotacao.Abrir(arquivo); });
    }
    return TAplicacao::exec();
}
