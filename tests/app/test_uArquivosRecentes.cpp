#include "app/uArquivosRecentes.h"
#include "app/uPrincipal.h"
#include "exchange/uVTExpImpCotacao.h"
#include "model/uTabelasCotacao.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class TestArquivosRecentes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QSettings().clear();
        m_pasta = std::make_unique<QTemporaryDir>();
        m_gravador = std::make_unique<MensagemGravador>();
    }

    void cleanup()
    {
        m_gravador.reset();
        m_pasta.reset();
    }

    // The submenu follows the command it is given, and is disabled while the list is empty.
    void startsEmptyAfterTheOpenCommand()
    {
        QMenu arquivo;
        QAction *abrir = arquivo.addAction(u"&Abrir..."_s);
        QAction *salvar = arquivo.addAction(u"&Salvar..."_s);
        TArquivosRecentes recentes(arquivo, *abrir, nullptr);
        QCOMPARE(arquivo.actions().size(), 3);
        QCOMPARE(arquivo.actions().at(0), abrir);
        QCOMPARE(arquivo.actions().at(1)->text(), u"Abrir recente"_s);
        QCOMPARE(arquivo.actions().at(2), salvar);
        QVERIFY(!arquivo.actions().at(1)->isEnabled());
        QCOMPARE(recentes.Arquivos(), QStringList());
    }

    // The most recent first, a file opened again moves to the head, and only eight are kept,
    // also by the next run of the program.
    void keepsTheLastEightMostRecentFirst()
    {
        QStringList esperados;
        {
            QMenu arquivo;
            TArquivosRecentes recentes(arquivo, *arquivo.addAction(u"&Abrir..."_s), nullptr);
            for (int i = 1; i <= 10; ++i)
                recentes.Registrar(Arquivo(i));
            recentes.Registrar(Arquivo(5));
            esperados = QStringList {Arquivo(5), Arquivo(10), Arquivo(9), Arquivo(8), Arquivo(7),
                Arquivo(6), Arquivo(4), Arquivo(3)};
            QCOMPARE(recentes.Arquivos(), esperados);
        }
        QMenu arquivo;
        TArquivosRecentes recentes(arquivo, *arquivo.addAction(u"&Abrir..."_s), nullptr);
        QCOMPARE(recentes.Arquivos(), esperados);
        QMenu *submenu = arquivo.findChild<QMenu *>(u"mnAbrirRecente"_s);
        QVERIFY(submenu->menuAction()->isEnabled());
        QStringList textos;
        for (QAction *item : submenu->actions()) {
            textos.append(item->text());
            QCOMPARE(item->toolTip(), QDir::toNativeSeparators(esperados.at(textos.size() - 1)));
        }
        QCOMPARE(textos,
            QStringList({u"&1 A && B 5.kvt"_s, u"&2 A && B 10.kvt"_s, u"&3 A && B 9.kvt"_s,
                u"&4 A && B 8.kvt"_s, u"&5 A && B 7.kvt"_s, u"&6 A && B 6.kvt"_s,
                u"&7 A && B 4.kvt"_s, u"&8 A && B 3.kvt"_s}));
    }

    void aMissingFileIsDroppedWithAMessage()
    {
        QMenu arquivo;
        TArquivosRecentes recentes(arquivo, *arquivo.addAction(u"&Abrir..."_s), nullptr);
        QSignalSpy escolhidos(&recentes, &TArquivosRecentes::Escolhido);
        recentes.Registrar(Arquivo(1));
        recentes.Registrar(Arquivo(2));
        QVERIFY(QFile::remove(Arquivo(2)));

        QMenu *submenu = arquivo.findChild<QMenu *>(u"mnAbrirRecente"_s);
        submenu->actions().at(0)->trigger();
        QCOMPARE(escolhidos.count(), 0);
        QCOMPARE(m_gravador->Mensagens().size(), 1);
        const TMensagem &mensagem = m_gravador->Mensagens().constFirst();
        QCOMPARE(mensagem.Titulo, u"Atenção"_s);
        QCOMPARE(mensagem.Texto,
            u"O arquivo %1 não existe mais e foi retirado da lista de arquivos recentes."_s.arg(
                QDir::toNativeSeparators(Arquivo(2))));
        QCOMPARE(recentes.Arquivos(), QStringList {Arquivo(1)});
        QCOMPARE(submenu->actions().size(), 1);

        submenu->actions().at(0)->trigger();
        QCOMPARE(escolhidos.count(), 1);
        QCOMPARE(escolhidos.at(0).at(0).toString(), Arquivo(1));
    }

    // In the main window: a file opened successfully enters the list, a file that fails to
    // open does not, and choosing an entry opens it as the open dialog would.
    void theMainWindowOpensFromTheSubmenu()
    {
        const QString licitacao
            = GravarArquivoCotacao(*LicitacaoTeste(), m_pasta->path(), u"Licitacao"_s);
        const QString pesquisa
            = GravarArquivoCotacao(*PesquisaTeste(), m_pasta->path(), u"Pesquisa"_s);
        const QString invalido = m_pasta->filePath(u"Invalido.kvt"_s);
        Criar(invalido, "not a quotation");

        TfmCotacao janela;
        QMenu *submenu = janela.findChild<QMenu *>(u"mnAbrirRecente"_s);
        for (const QString &caminho : {licitacao, pesquisa, invalido}) {
            janela.EscolherArquivo = [caminho] { return caminho; };
            janela.findChild<QAction *>(u"mnAbrir"_s)->trigger();
        }
        QCOMPARE(submenu->actions().size(), 2);
        QCOMPARE(submenu->actions().at(0)->text(), u"&1 Pesquisa.kvt"_s);
        QCOMPARE(submenu->actions().at(1)->text(), u"&2 Licitacao.kvt"_s);

        janela.EscolherArquivo = [] {
            QTest::qFail("the open dialog was shown", __FILE__, __LINE__);
            return QString();
        };
        submenu->actions().at(1)->trigger();
        QCOMPARE(janela.windowTitle(), u"Varenta-Cotação 2.0 - Licitação: 7/2024"_s);
        QCOMPARE(submenu->actions().at(0)->text(), u"&1 Licitacao.kvt"_s);
        QCOMPARE(submenu->actions().at(1)->text(), u"&2 Pesquisa.kvt"_s);
    }

    // The first save renames the file received: the list follows it to the saved file.
    void aSaveEntersTheFileItWrote()
    {
        const QString licitacao
            = GravarArquivoCotacao(*LicitacaoTeste(), m_pasta->path(), u"Licitacao"_s);
        TfmCotacao janela;
        QMenu *submenu = janela.findChild<QMenu *>(u"mnAbrirRecente"_s);
        janela.EscolherArquivo = [licitacao] { return licitacao; };
        janela.findChild<QAction *>(u"mnAbrir"_s)->trigger();
        QSignalSpy aberta(&janela, &TfmCotacao::CotacaoAberta);

        janela.Tabelas().mmDados.Edit();
        janela.Tabelas()
            .mmDados.FieldByName(u"FornecedorCPFCNPJ"_s)
            .SetAsString(u"11.222.333/0001-81"_s);
        janela.findChild<QAction *>(u"mnSalvar"_s)->trigger();
        janela.findChild<QAction *>(u"mnSalvar"_s)->trigger();

        QCOMPARE(submenu->actions().at(0)->text(), u"&1 COT-7-2024-11222333000181.kvt"_s);
        QCOMPARE(submenu->actions().size(), 2);
        QCOMPARE(aberta.count(), 2);
    }

private:
    // An existing file whose name holds a "&", which the menu doubles.
    QString Arquivo(int numero) const
    {
        const QString caminho = m_pasta->filePath(u"A & B %1.kvt"_s.arg(numero));
        if (!QFile::exists(caminho))
            Criar(caminho, "");
        return caminho;
    }

    static void Criar(const QString &caminho, const char *conteudo)
    {
        QFile arquivo(caminho);
        QVERIFY(arquivo.open(QIODevice::WriteOnly));
        QVERIFY(arquivo.write(conteudo) >= 0);
    }

    std::unique_ptr<QTemporaryDir> m_pasta;
    std::unique_ptr<MensagemGravador> m_gravador;
};

QTEST_MAIN(TestArquivosRecentes)
#include "test_uArquivosRecentes.moc"
