// capturas-ajuda PASTA: draws the help window and the about window into PASTA/ajuda-como-usar.png
// and PASTA/ajuda-sobre.png. Run it on a real X server (scripts/screenshots runs it under Xvfb),
// so that fonts and style are the ones a user sees.

#include "app/uAjuda.h"
#include "app/uPrincipal.h"
#include "app/uTraducoes.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTest>

#include <cstdio>

namespace {

bool Capturar(QWidget &janela, const QDir &pasta, const QString &nome)
{
    janela.activateWindow();
    if (!QTest::qWaitForWindowExposed(&janela))
        return false;
    QTest::qWait(200);
    return janela.grab().save(pasta.filePath(nome));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication aplicacao(argc, argv);
    CarregarTraducoesQt(aplicacao);
    if (argc != 2) {
        std::fputs("Uso: capturas-ajuda PASTA\n", stderr);
        return 2;
    }
    const QDir pasta(QString::fromLocal8Bit(argv[1]));
    TfmCotacao principal;
    principal.show();
    const bool guia
        = Capturar(*MostrarComoUsar(principal), pasta, QStringLiteral("ajuda-como-usar.png"));
    const bool sobre = Capturar(*MostrarSobre(principal), pasta, QStringLiteral("ajuda-sobre.png"));
    return guia && sobre ? 0 : 1;
}
