#include "common/uExcecoes.h"
#include "messages/TelaMensagem.h"
#include "support/JanelasTeste.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>

namespace {

// The window's title bar and frame (25 pixels) stand on top of the client area, so the short
// client is the text's lines plus the button (25) plus 66, less 25.
int AlturaCurtaDoCliente(int linhas)
{
    return 14 * linhas + 66;
}

int AlturaAltaDoCliente(int linhas)
{
    return 14 * linhas + 177;
}

void AoMostrarTela(std::function<void(TForm_TelaMensagem &)> acao)
{
    AoAparecer<TForm_TelaMensagem>(std::move(acao));
}

template<typename Controle = QWidget>
Controle *Parte(QWidget &tela, const char *nome)
{
    return tela.findChild<Controle *>(QString::fromLatin1(nome));
}

QPushButton *Botao(QWidget &tela, const char *nome)
{
    return Parte<QPushButton>(tela, nome);
}

void Clicar(QWidget &tela, const char *nome)
{
    QTest::mouseClick(Botao(tela, nome), Qt::LeftButton);
}

// The visible buttons of the row in tab order with their left positions: "Sim 126, Não 220".
QString PosicoesDosBotoes(QWidget &tela)
{
    static const std::pair<const char *, const char *> botoes[] = {
        {"BitBtnSim", "Sim"},
        {"BitBtnNao", "Não"},
        {"BitBtnCancelar", "Cancelar"},
        {"BitBtnContinuar", "Continuar"},
        {"BitBtnTodos", "Todos"},
        {"bitbtnRepetir", "Repetir"},
        {"Bitbtn_Detalhes", "Detalhes"},
    };
    QStringList posicoes;
    for (const auto &[nome, rotulo] : botoes) {
        const QPushButton *botao = Botao(tela, nome);
        if (botao->isVisible())
            posicoes.append(QStringLiteral("%1 %2").arg(QString::fromUtf8(rotulo)).arg(botao->x()));
    }
    return posicoes.join(QStringLiteral(", "));
}

// Every visible button of the row stands at the same top, 33 pixels above the short screen's
// bottom line (the client's bottom less the frame's 25 pixels, plus 25).
bool BotoesNoTopoDaLinha(QWidget &tela)
{
    const int topo = tela.height() - 33;
    const QList<QPushButton *> botoes = tela.findChildren<QPushButton *>();
    return std::all_of(botoes.cbegin(), botoes.cend(),
        [topo](const QPushButton *b) { return !b->isVisible() || b->y() == topo; });
}

QString ImagemVisivel(QWidget &tela)
{
    for (const char *nome : {"img_Pergunta", "img_Erro", "img_Informa"}) {
        if (Parte<QLabel>(tela, nome)->isVisible())
            return QString::fromLatin1(nome);
    }
    return QString();
}

// Fails the filling of any message screen, as an error inside it would.
class FalhaAoPreencher : public QObject
{
protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (evento->type() == QEvent::WindowTitleChange
            && qobject_cast<TForm_TelaMensagem *>(objeto))
            throw EVrtException(QStringLiteral("falha ao preencher"));
        return false;
    }
};

const QString Atencao = QStringLiteral("Atenção");

} // namespace

class TestTelaMensagem : public QObject
{
    Q_OBJECT

    TApresentadorMensagens m_anterior;

private Q_SLOTS:
    void initTestCase() { m_anterior = InstalarTelaMensagem(); }
    void cleanupTestCase() { InstalarApresentadorMensagens(std::move(m_anterior)); }

    void avisoMostraUmaLinhaComContinuarAoCentro()
    {
        QString titulo, imagem, posicoes;
        int altura = 0;
        QPoint centro, centroDaTela;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            titulo = tela.windowTitle();
            imagem = ImagemVisivel(tela);
            posicoes = PosicoesDosBotoes(tela);
            altura = tela.height();
            centro = tela.frameGeometry().center();
            centroDaTela = tela.screen()->availableGeometry().center();
            Clicar(tela, "BitBtnContinuar");
        });

        ExibeAviso(QStringLiteral("Arquivo salvo com sucesso."));

        QCOMPARE(titulo, Atencao);
        QCOMPARE(imagem, QStringLiteral("img_Informa"));
        QCOMPARE(posicoes, QStringLiteral("Continuar 169"));
        QCOMPARE(altura, AlturaCurtaDoCliente(1));
        QVERIFY((centro - centroDaTela).manhattanLength() <= 1);
    }

    void posicoesDosBotoes_data()
    {
        QTest::addColumn<int>("botoes");
        QTest::addColumn<bool>("comDetalhes");
        QTest::addColumn<QString>("esperado");

        QTest::newRow("Sim Não Cancelar")
            << int(bmSim | bmNao | bmCancelar) << false << "Sim 72, Não 164, Cancelar 260";
        QTest::newRow("Sim Não Todos Detalhes")
            << int(bmSim | bmNao | bmTodos) << true << "Sim 21, Não 117, Todos 212, Detalhes 307";
        QTest::newRow("Sim Não") << int(bmSim | bmNao) << false << "Sim 126, Não 220";
        QTest::newRow("Sim Não Detalhes")
            << int(bmSim | bmNao) << true << "Sim 126, Não 220, Detalhes 330";
        QTest::newRow("Continuar Cancelar")
            << int(bmContinuar | bmCancelar) << false << "Cancelar 220, Continuar 126";
        QTest::newRow("Sim Não Todos")
            << int(bmSim | bmNao | bmTodos) << false << "Sim 72, Não 164, Todos 260";
        QTest::newRow("Sim Não Cancelar Todos")
            << int(bmSim | bmNao | bmCancelar | bmTodos) << false
            << "Sim 31, Não 123, Cancelar 307, Todos 215";
        QTest::newRow("Repetir Cancelar")
            << int(bmRepetir | bmCancelar) << false << "Cancelar 220, Repetir 126";
        QTest::newRow("Continuar Detalhes")
            << int(bmContinuar) << true << "Continuar 126, Detalhes 220";
        QTest::newRow("Continuar") << int(bmContinuar) << false << "Continuar 169";
        QTest::newRow("no row: design place") << int(bmRepetir) << false << "Repetir 126";
    }

    void posicoesDosBotoes()
    {
        QFETCH(int, botoes);
        QFETCH(bool, comDetalhes);
        QFETCH(QString, esperado);
        QString posicoes;
        bool noTopo = false;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            posicoes = PosicoesDosBotoes(tela);
            noTopo = BotoesNoTopoDaLinha(tela);
            tela.done(mrOk);
        });

        ExibeMensagemDetalhada(tmInformacao, Atencao, QStringLiteral("Texto."),
            TBotoesMensagem(botoes), comDetalhes ? QStringLiteral("detalhes") : QString(), false);

        QCOMPARE(posicoes, esperado);
        QVERIFY(noTopo);
    }

    void cadaBotaoDaSeuResultado_data()
    {
        QTest::addColumn<int>("botao");
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("resultado");

        QTest::newRow("Sim") << int(bmSim) << "BitBtnSim"
                             << "&Sim" << 6;
        QTest::newRow("Não") << int(bmNao) << "BitBtnNao"
                             << "&Não" << 7;
        QTest::newRow("Cancelar") << int(bmCancelar) << "BitBtnCancelar"
                                  << "Cancelar" << 2;
        QTest::newRow("Continuar") << int(bmContinuar) << "BitBtnContinuar"
                                   << "Continuar" << 1;
        QTest::newRow("Todos") << int(bmTodos) << "BitBtnTodos"
                               << "&Todos" << 8;
        QTest::newRow("Repetir") << int(bmRepetir) << "bitbtnRepetir"
                                 << "&Repetir" << 4;
    }

    void cadaBotaoDaSeuResultado()
    {
        QFETCH(int, botao);
        QFETCH(QString, nome);
        QFETCH(QString, texto);
        QFETCH(int, resultado);
        QString textoMostrado;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            QPushButton *alvo = Botao(tela, nome.toLatin1().constData());
            textoMostrado = alvo->text();
            QTest::mouseClick(alvo, Qt::LeftButton);
        });

        const int obtido = ExibeMensagem(
            tmInformacao, Atencao, QStringLiteral("Escolha."), TBotoesMensagem(botao));

        QCOMPARE(textoMostrado, texto);
        QCOMPARE(obtido, resultado);
    }

    void perguntaSimNaoTemSimComoPadrao()
    {
        bool simPadrao = false;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            simPadrao = Botao(tela, "BitBtnSim")->isDefault();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });

        QCOMPARE(ExibeMensagem(
                     tmPergunta, Atencao, QStringLiteral("Continuar mesmo assim?"), bmSim | bmNao),
            int(mrYes));
        QVERIFY(simPadrao);
    }

    void fecharSemResposta_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("botoes");
        QTest::addColumn<bool>("porEsc");
        QTest::addColumn<bool>("fecha");

        const int simNao = bmSim | bmNao;
        QTest::newRow("question yes/no, close box") << int(tmPergunta) << simNao << false << false;
        QTest::newRow("question yes/no, Esc") << int(tmPergunta) << simNao << true << false;
        QTest::newRow("question with Cancelar, close box")
            << int(tmPergunta) << int(simNao | bmCancelar) << false << true;
        QTest::newRow("question with Cancelar, Esc")
            << int(tmPergunta) << int(simNao | bmCancelar) << true << true;
        QTest::newRow("error yes/no, close box") << int(tmErro) << simNao << false << true;
        QTest::newRow("notice, Esc") << int(tmInformacao) << int(bmContinuar) << true << true;
    }

    // The close box and Esc answer "cancel", which a question without "Cancelar" refuses.
    void fecharSemResposta()
    {
        QFETCH(int, tipo);
        QFETCH(int, botoes);
        QFETCH(bool, porEsc);
        QFETCH(bool, fecha);
        bool fechou = false;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            if (porEsc)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else
                tela.close();
            fechou = !tela.isVisible();
            if (!fechou)
                Clicar(tela, "BitBtnNao");
        });

        const int resultado = ExibeMensagem(TTipoMensagem(tipo), Atencao,
            QStringLiteral("Continuar mesmo assim?"), TBotoesMensagem(botoes));

        QCOMPARE(fechou, fecha);
        QCOMPARE(resultado, fecha ? int(mrCancel) : int(mrNo));
    }

    void imagemDoTipo_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("imagem");

        QTest::newRow("question") << int(tmPergunta) << "img_Pergunta";
        QTest::newRow("error") << int(tmErro) << "img_Erro";
        QTest::newRow("information") << int(tmInformacao) << "img_Informa";
        QTest::newRow("other kind") << 7 << "";
    }

    void imagemDoTipo()
    {
        QFETCH(int, tipo);
        QFETCH(QString, imagem);
        QString visivel;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            visivel = ImagemVisivel(tela);
            tela.done(mrOk);
        });

        ExibeMensagem(TTipoMensagem(tipo), Atencao, QStringLiteral("Texto."), bmContinuar);

        QCOMPARE(visivel, imagem);
    }

    void linhasDoTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("mostrado");
        QTest::addColumn<int>("linhas");

        QTest::newRow("one line") << "Arquivo salvo com sucesso."
                                  << "Arquivo salvo com sucesso." << 1;
        QTest::newRow("one carriage return") << "O valor é maior.\rContinuar mesmo assim?"
                                             << "O valor é maior.\nContinuar mesmo assim?" << 2;
        QTest::newRow("empty line between") << "Problemas:\r\rExistem problemas"
                                            << "Problemas:\n\nExistem problemas" << 3;
        QTest::newRow("trailing carriage return") << "Texto.\r"
                                                  << "Texto.\n"
                                                  << 2;
        QTest::newRow("CR LF is one break") << "Linha 1\r\nLinha 2"
                                            << "Linha 1\nLinha 2" << 2;
    }

    void linhasDoTexto()
    {
        QFETCH(QString, texto);
        QFETCH(QString, mostrado);
        QFETCH(int, linhas);
        QString textoMostrado;
        int alturaTexto = 0;
        int altura = 0;
        bool noTopo = false;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            auto *mensagem = Parte<QTextEdit>(tela, "mm_Mensagem");
            textoMostrado = mensagem->toPlainText();
            alturaTexto = mensagem->height();
            altura = tela.height();
            noTopo = BotoesNoTopoDaLinha(tela);
            tela.done(mrOk);
        });

        ExibeAviso(texto);

        QCOMPARE(textoMostrado, mostrado);
        QCOMPARE(alturaTexto, 14 * linhas);
        QCOMPARE(altura, AlturaCurtaDoCliente(linhas));
        QVERIFY(noTopo);
    }

    void linhaLongaQuebraSemEsconderTexto_data()
    {
        QTest::addColumn<int>("fonteDaAplicacao");

        QTest::newRow("desktop font") << 0;
        QTest::newRow("large desktop font") << 22;
    }

    // A line too long for the text's width wraps; every row it takes adds 14 pixels and the
    // whole text stays in sight, whatever the desktop's font.
    void linhaLongaQuebraSemEsconderTexto()
    {
        QFETCH(int, fonteDaAplicacao);
        const QFont fonteOriginal = QApplication::font();
        if (fonteDaAplicacao > 0) {
            QFont grande = fonteOriginal;
            grande.setPixelSize(fonteDaAplicacao);
            QApplication::setFont(grande);
        }
        int alturaTexto = 0;
        int alturaDaFonte = 0;
        int rolagem = -1;
        int altura = 0;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            auto *mensagem = Parte<QTextEdit>(tela, "mm_Mensagem");
            alturaTexto = mensagem->height();
            alturaDaFonte = mensagem->fontMetrics().height();
            rolagem = mensagem->verticalScrollBar()->maximum();
            altura = tela.height();
            tela.done(mrOk);
        });

        ExibeAviso(QStringLiteral("Não será possível gerar este relatório, pois não existem "
                                  "impressoras instaladas. Instale a impressora e tente "
                                  "novamente.\rNão será possível gerar este relatório."));
        QApplication::setFont(fonteOriginal);

        QVERIFY(alturaDaFonte <= 14);
        QVERIFY(alturaTexto >= 3 * 14);
        QCOMPARE(alturaTexto % 14, 0);
        QCOMPARE(rolagem, 0);
        QCOMPARE(altura, AlturaCurtaDoCliente(alturaTexto / 14));
    }

    void detalhesAbremEFecham()
    {
        struct Estado
        {
            int altura;
            QString texto;
            bool detalhesAVista;
        };
        QList<Estado> estados;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            QPushButton *detalhes = Botao(tela, "Bitbtn_Detalhes");
            auto *texto = Parte<QPlainTextEdit>(tela, "mm_Detalhes");
            const auto anotar = [&] {
                estados.append(
                    {tela.height(), detalhes->text(), tela.rect().contains(texto->geometry())});
            };
            anotar();
            QTest::mouseClick(detalhes, Qt::LeftButton);
            anotar();
            QTest::mouseClick(detalhes, Qt::LeftButton);
            anotar();
            Clicar(tela, "BitBtnContinuar");
        });

        ExibeMensagemDetalhada(tmErro, Atencao, QStringLiteral("Problemas com a impressão:"),
            bmContinuar, QStringLiteral("Impressora desligada."), false);

        QCOMPARE(estados.size(), 3);
        const int curta = AlturaCurtaDoCliente(1);
        const int alta = AlturaAltaDoCliente(1);
        QCOMPARE(estados[0].altura, curta);
        QCOMPARE(estados[0].texto, QStringLiteral("Detalhes >>"));
        QVERIFY(!estados[0].detalhesAVista);
        QCOMPARE(estados[1].altura, alta);
        QCOMPARE(estados[1].texto, QStringLiteral("Detalhes <<"));
        QVERIFY(estados[1].detalhesAVista);
        QCOMPARE(estados[2].altura, curta);
        QCOMPARE(estados[2].texto, QStringLiteral("Detalhes >>"));
        QVERIFY(!estados[2].detalhesAVista);
    }

    void detalhesAbertosDesdeOInicio()
    {
        int altura = 0;
        QString texto, detalhes;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            altura = tela.height();
            texto = Botao(tela, "Bitbtn_Detalhes")->text();
            detalhes = Parte<QPlainTextEdit>(tela, "mm_Detalhes")->toPlainText();
            tela.done(mrOk);
        });

        ExibeMensagemDetalhada(tmErro, Atencao, QStringLiteral("Erro."), bmContinuar,
            QStringLiteral("Pilha do erro"), true);

        QCOMPARE(altura, AlturaAltaDoCliente(1));
        QCOMPARE(texto, QStringLiteral("Detalhes <<"));
        QCOMPARE(detalhes, QStringLiteral("Pilha do erro"));
    }

    void detalhesVaziosEscondemOBotao()
    {
        bool botaoVisivel = true;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            botaoVisivel = Botao(tela, "Bitbtn_Detalhes")->isVisible();
            tela.done(mrOk);
        });

        ExibeInformacao(
            QStringLiteral("Ocorreu um erro ao exportar as propostas."), bmContinuar, QString());

        QVERIFY(!botaoVisivel);
    }

    void ctrlCCopiaOTexto_data()
    {
        QTest::addColumn<QString>("destino");
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<QString>("copiado");

        const QString texto = QStringLiteral("Linha 1\nLinha 2");
        const QString antes = QStringLiteral("antes");
        QTest::newRow("Ctrl+C on a button")
            << "BitBtnContinuar" << int(Qt::ControlModifier) << texto;
        QTest::newRow("Ctrl+C in the details")
            << "mm_Detalhes" << int(Qt::ControlModifier) << texto;
        QTest::newRow("Ctrl+Shift+C")
            << "BitBtnContinuar" << int(Qt::ControlModifier | Qt::ShiftModifier) << antes;
        QTest::newRow("Ctrl+Alt+C")
            << "BitBtnContinuar" << int(Qt::ControlModifier | Qt::AltModifier) << antes;
        QTest::newRow("C alone") << "BitBtnContinuar" << int(Qt::NoModifier) << antes;
    }

    void ctrlCCopiaOTexto()
    {
        QFETCH(QString, destino);
        QFETCH(int, modificadores);
        QFETCH(QString, copiado);
        QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            QWidget *alvo = Parte(tela, destino.toLatin1().constData());
            alvo->setFocus();
            QTest::keyClick(alvo, Qt::Key_C, Qt::KeyboardModifiers(modificadores));
            tela.done(mrOk);
        });

        ExibeInformacao(
            QStringLiteral("Linha 1\rLinha 2"), bmContinuar, QStringLiteral("detalhes"));

        QCOMPARE(QGuiApplication::clipboard()->text(), copiado);
    }

    void textoNuncaGuardaOFoco_data()
    {
        QTest::addColumn<int>("botoes");
        QTest::addColumn<QString>("detalhes");
        QTest::addColumn<QString>("foco");

        QTest::newRow("yes/no") << int(bmSim | bmNao) << ""
                                << "BitBtnNao";
        QTest::newRow("with details") << int(bmContinuar) << "detalhes"
                                      << "Bitbtn_Detalhes";
    }

    void textoNuncaGuardaOFoco()
    {
        QFETCH(int, botoes);
        QFETCH(QString, detalhes);
        QFETCH(QString, foco);
        QString comFoco;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            Parte(tela, "mm_Mensagem")->setFocus(Qt::MouseFocusReason);
            comFoco = QApplication::focusWidget()->objectName();
            tela.done(mrOk);
        });

        ExibeMensagemDetalhada(tmInformacao, Atencao, QStringLiteral("Texto."),
            TBotoesMensagem(botoes), detalhes, false);

        QCOMPARE(comFoco, foco);
    }

    void voltaAoCursorPadrao()
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
        bool cursorPadrao = false;
        AoMostrarTela([&](TForm_TelaMensagem &tela) {
            cursorPadrao = QGuiApplication::overrideCursor() == nullptr;
            tela.done(mrOk);
        });

        ExibeAviso(QStringLiteral("Informe o CPF/CNPJ do fornecedor."));

        QVERIFY(cursorPadrao);
    }

    // A screen that fails while it is filled gives way to the standard warning box with the
    // text and OK; the message answers 0 and no screen is left behind.
    void falhaCaiNaCaixaDeAviso()
    {
        FalhaAoPreencher falha;
        qApp->installEventFilter(&falha);
        QMessageBox::Icon icone = QMessageBox::NoIcon;
        QString texto;
        QMessageBox::StandardButtons botoes;
        AoAparecer<QMessageBox>([&](QMessageBox &caixa) {
            icone = caixa.icon();
            texto = caixa.text();
            botoes = caixa.standardButtons();
            QTest::mouseClick(caixa.button(QMessageBox::Ok), Qt::LeftButton);
        });

        const int resultado = ExibeMensagem(
            tmPergunta, Atencao, QStringLiteral("Continuar mesmo assim?"), bmSim | bmNao);

        QCOMPARE(resultado, 0);
        QCOMPARE(icone, QMessageBox::Warning);
        QCOMPARE(texto, QStringLiteral("Continuar mesmo assim?"));
        QCOMPARE(botoes, QMessageBox::StandardButtons(QMessageBox::Ok));
        const QWidgetList janelas = QApplication::topLevelWidgets();
        QVERIFY(std::none_of(janelas.cbegin(), janelas.cend(),
            [](QWidget *j) { return qobject_cast<TForm_TelaMensagem *>(j); }));
    }
};

QTEST_MAIN(TestTelaMensagem)
#include "test_TelaMensagem.moc"
