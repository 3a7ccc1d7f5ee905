#include "CotacaoTeste.h"
#include "PdfTeste.h"
#include "exchange/uVTExpImpCotacao.h"
#include "report/uImpressaoCotacao.h"
#include "support/MensagemGravador.h"

#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>

// Runs against a print server that does not exist, so the system lists no printer.
class TestImpressaoSemImpressora : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void salvaEAvisaQueNaoHaImpressora()
    {
        QVERIFY(!ExisteImpressora());
        QTemporaryDir pasta;
        TTabelasCotacao tabelas;
        TExpImpCotacao controlador;
        auto cotacao
            = NovaLicitacao(QStringLiteral("Pi"), QStringLiteral("Pr"), QStringLiteral("12/2023"));
        cotacao->SetItens(std::make_unique<TItens>());
        AbrirCotacao(GravarArquivoCotacao(*cotacao, pasta.path(), QStringLiteral("lic")),
            controlador, tabelas);
        MensagemGravador gravador;
        QStringList passos;
        bool dialogo = false;
        InstalarDialogoImpressao([&](QPrintDialog &, QPrinter &) {
            dialogo = true;
            return int(QDialog::Accepted);
        });
        const TJanelaImpressao janela {[&] { passos << QStringLiteral("salvar"); },
            [&] { passos << QStringLiteral("guardar"); },
            [&] { passos << QStringLiteral("restaurar"); }};

        ImprimirCotacao(tabelas, janela, nullptr);

        QCOMPARE(passos, Lista({"salvar"}));
        QVERIFY(!dialogo);
        QCOMPARE(gravador.Mensagens().size(), 1);
        const TMensagem &mensagem = gravador.Mensagens().first();
        QCOMPARE(mensagem.Tipo, tmErro);
        QCOMPARE(mensagem.Titulo, QStringLiteral("Atenção, Contate Suporte Técnico"));
        QCOMPARE(mensagem.Texto,
            QStringLiteral("Não será possível gerar este relatório, pois não existem impressoras "
                           "instaladas. Instale a impressora e tente novamente."));
        QCOMPARE(mensagem.Botoes, TBotoesMensagem(bmContinuar));
    }
};

QTEST_MAIN(TestImpressaoSemImpressora)
#include "test_ImpressaoSemImpressora.moc"
