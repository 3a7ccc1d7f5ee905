#include "CasosDeFoco.h"
#include "components/MemTable.h"
#include "components/vrtDBMemo.h"
#include "components/vrtProcuraSubstitui.h"
#include "support/JanelasTeste.h"
#include "support/MensagemGravador.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

// A shown window holding one memo served by a find component.
struct Cenario
{
    explicit Cenario(const QString &texto)
        : memo(new TVrtDBMemo(&janela))
        , outro(new QLineEdit(&janela))
    {
        memo->setGeometry(0, 0, 300, 150);
        outro->setGeometry(0, 160, 300, 24);
        memo->setPlainText(texto);
        memo->SetProcuraDlg(&procura);
        janela.resize(300, 190);
        janela.show();
    }

    bool Mostrado()
    {
        janela.activateWindow();
        return QTest::qWaitForWindowActive(&janela);
    }

    QWidget janela;
    TVrtProcuraDlg procura;
    TVrtDBMemo *memo;
    QLineEdit *outro;
};

struct Entradas
{
    Entradas(
        const QString &procura_, const QString &substitui_ = QString(), bool maiusculas_ = false)
        : procura(procura_)
        , substitui(substitui_)
        , maiusculas(maiusculas_)
    { }

    QString procura;
    QString substitui;
    bool maiusculas;
};

// The memo's text, its selection and how many messages were shown: "a-a-a [0:a] 0".
QString Estado(const QPlainTextEdit &memo, const MensagemGravador &mensagens)
{
    const QTextCursor cursor = memo.textCursor();
    return QStringLiteral("%1 [%2:%3] %4")
        .arg(memo.toPlainText())
        .arg(cursor.selectionStart())
        .arg(cursor.selectedText())
        .arg(mensagens.Mensagens().size());
}

template<typename Controle>
Controle *Parte(QWidget &janela, const char *nome)
{
    return janela.findChild<Controle *>(QLatin1String(nome));
}

// Opens the find window in a mode, types the inputs and presses the buttons in turn; answers
// the memo's state after each press.
QStringList Pressionar(Cenario &cenario, TModoProcura modo, const Entradas &entradas,
    const QList<const char *> &botoes, const MensagemGravador &mensagens)
{
    QStringList estados;
    AoAparecer<TFormProcuraSubstitui>([&](TFormProcuraSubstitui &janela) {
        Parte<QLineEdit>(janela, "ed_Procura")->setText(entradas.procura);
        Parte<QLineEdit>(janela, "ed_Substitui")->setText(entradas.substitui);
        Parte<QCheckBox>(janela, "ck_CaseSensitive")->setChecked(entradas.maiusculas);
        for (const char *botao : botoes) {
            Parte<QPushButton>(janela, botao)->click();
            estados.append(Estado(*cenario.memo, mensagens));
        }
        janela.reject();
    });
    cenario.procura.AbrirProcura(modo, cenario.memo);
    return estados;
}

// Runs an action that may open the find window; answers whether it did (and closes it).
bool AbriuJanela(const std::function<void()> &acao)
{
    bool abriu = false;
    QPointer<QTimer> espera = AoAparecer<TFormProcuraSubstitui>([&](TFormProcuraSubstitui &j) {
        abriu = true;
        j.reject();
    });
    acao();
    delete espera.data();
    return abriu;
}

// A one-row table whose memo field a data memo shows.
struct TabelaMemo
{
    explicit TabelaMemo(const QString &texto)
    {
        tabela.Open();
        tabela.Append();
        objeto.SetAsString(texto);
        tabela.Post();
        fonte.SetDataSet(&tabela);
    }

    void Ligar(TVrtDBMemo *memo)
    {
        memo->SetDataSource(&fonte);
        memo->SetDataField(QStringLiteral("OBJETO"));
    }

    TMemoryTable tabela {QStringLiteral("mmDados")};
    TField &objeto = tabela.AdicionarCampo(QStringLiteral("Objeto"), ftMemo);
    TDataSource fonte;
};

// Opens a control's context menu as the menu key would and triggers the action that the
// toolkit names nome ("edit-undo", "edit-cut", ...); answers whether it was there, enabled.
bool AcionarNoMenu(QWidget *controle, const QByteArray &nome)
{
    bool acionado = false;
    QTimer::singleShot(0, controle, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QList<QAction *> acoes = menu->actions();
        for (QAction *acao : acoes) {
            if (acao->objectName() == QLatin1String(nome) && acao->isEnabled()) {
                acao->trigger();
                acionado = true;
            }
        }
        menu->close();
    });
    const QPoint ponto(5, 5);
    QContextMenuEvent evento(QContextMenuEvent::Keyboard, ponto, controle->mapToGlobal(ponto));
    QCoreApplication::sendEvent(controle, &evento);
    return acionado;
}

const char *const Localizar = "bt_ProcuraSubstitui";
const char *const SubstituirTodas = "bt_SubstituiTodas";

} // namespace

class TestVrtDBMemo : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void localizarSelecionaCadaOcorrenciaEDepoisAvisa()
    {
        MensagemGravador mensagens;
        Cenario cenario(QStringLiteral("casa azul, casa verde"));
        QVERIFY(cenario.Mostrado());

        const QStringList estados = Pressionar(cenario, mpLocalizar, {QStringLiteral("casa")},
            {Localizar, Localizar, Localizar}, mensagens);

        QCOMPARE(estados,
            QStringList({QStringLiteral("casa azul, casa verde [0:casa] 0"),
                QStringLiteral("casa azul, casa verde [11:casa] 0"),
                QStringLiteral("casa azul, casa verde [11:casa] 1")}));
        const TMensagem &aviso = mensagens.Mensagens().constFirst();
        QCOMPARE(aviso.Tipo, tmInformacao);
        QCOMPARE(aviso.Titulo, QStringLiteral("Atenção"));
        QCOMPARE(aviso.Texto, QStringLiteral("Texto não encontrado (casa)"));
        QCOMPARE(aviso.Botoes, TBotoesMensagem(bmContinuar));
    }

    void f3ContinuaAUltimaProcuraDepoisDeFechar()
    {
        MensagemGravador mensagens;
        Cenario cenario(QStringLiteral("casa azul, casa verde"));
        QVERIFY(cenario.Mostrado());

        QTest::keyClick(cenario.memo, Qt::Key_F3);
        QCOMPARE(Estado(*cenario.memo, mensagens), QStringLiteral("casa azul, casa verde [0:] 0"));

        Pressionar(cenario, mpLocalizar, {QStringLiteral("casa")}, {Localizar}, mensagens);
        QTest::keyClick(cenario.memo, Qt::Key_F3);
        QCOMPARE(
            Estado(*cenario.memo, mensagens), QStringLiteral("casa azul, casa verde [11:casa] 0"));
    }

    void diferenciaMaiusculas_data()
    {
        QTest::addColumn<bool>("maiusculas");
        QTest::addColumn<QString>("estado");
        QTest::newRow("sem diferenciar")
            << false << QStringLiteral("Entrega em SÃO PAULO [11:SÃO PAULO] 0");
        QTest::newRow("diferenciando") << true << QStringLiteral("Entrega em SÃO PAULO [0:] 1");
    }

    void diferenciaMaiusculas()
    {
        QFETCH(bool, maiusculas);
        QFETCH(QString, estado);
        MensagemGravador mensagens;
        Cenario cenario(QStringLiteral("Entrega em SÃO PAULO"));
        QVERIFY(cenario.Mostrado());

        const QStringList estados = Pressionar(cenario, mpLocalizar,
            {QStringLiteral("são paulo"), QString(), maiusculas}, {Localizar}, mensagens);

        QCOMPARE(estados, QStringList {estado});
    }

    void substituirSelecionaAntesDeCadaTroca()
    {
        MensagemGravador mensagens;
        Cenario cenario(QStringLiteral("a-a-a"));
        QVERIFY(cenario.Mostrado());

        const QStringList estados
            = Pressionar(cenario, mpSubstituir, {QStringLiteral("a"), QStringLiteral("b")},
                {Localizar, Localizar, Localizar, Localizar, Localizar}, mensagens);

        QCOMPARE(estados,
            QStringList({QStringLiteral("a-a-a [0:a] 0"), QStringLiteral("b-a-a [2:a] 0"),
                QStringLiteral("b-b-a [4:a] 0"), QStringLiteral("b-b-b [5:] 0"),
                QStringLiteral("b-b-b [5:] 1")}));
        QCOMPARE(mensagens.Textos(), QStringList {QStringLiteral("Texto não encontrado (a)")});
        // Closing the window makes the next replace request select first again.
        QVERIFY(cenario.procura.AguardandoSelecao);
    }

    void substituirTodasVaiDoInicioAoFimSemAvisar_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("procura");
        QTest::addColumn<QString>("substitui");
        QTest::addColumn<QString>("resultado");
        QTest::newRow("substituto contém o procurado")
            << QStringLiteral("ab ab") << QStringLiteral("ab") << QStringLiteral("abab")
            << QStringLiteral("abab abab");
        QTest::newRow("sem diferenciar maiúsculas")
            << QStringLiteral("Aa aA") << QStringLiteral("a") << QStringLiteral("b")
            << QStringLiteral("bb bb");
        QTest::newRow("nenhuma ocorrência") << QStringLiteral("nada aqui") << QStringLiteral("xyz")
                                            << QStringLiteral("q") << QStringLiteral("nada aqui");
    }

    void substituirTodasVaiDoInicioAoFimSemAvisar()
    {
        QFETCH(QString, texto);
        QFETCH(QString, procura);
        QFETCH(QString, substitui);
        QFETCH(QString, resultado);
        MensagemGravador mensagens;
        Cenario cenario(texto);
        QVERIFY(cenario.Mostrado());
        // The caret at the end: replace-all starts at the beginning all the same.
        cenario.memo->moveCursor(QTextCursor::End);

        Pressionar(cenario, mpSubstituir, {procura, substitui}, {SubstituirTodas}, mensagens);

        QCOMPARE(cenario.memo->toPlainText(), resultado);
        QVERIFY(mensagens.Mensagens().isEmpty());
    }

    void substituirNoMemoDeDadosEditaSemGravar()
    {
        MensagemGravador mensagens;
        TabelaMemo dados(QStringLiteral("mesa de madeira e mesa de ferro"));
        TMemoryTable &tabela = dados.tabela;
        TField &objeto = dados.objeto;
        Cenario cenario {QString()};
        dados.Ligar(cenario.memo);
        QVERIFY(cenario.Mostrado());
        QCOMPARE(cenario.memo->toPlainText(), objeto.AsString());

        Pressionar(cenario, mpSubstituir, {QStringLiteral("mesa"), QStringLiteral("cadeira")},
            {SubstituirTodas}, mensagens);

        const QString novo = QStringLiteral("cadeira de madeira e cadeira de ferro");
        QCOMPARE(cenario.memo->toPlainText(), novo);
        QCOMPARE(tabela.State(), dsEdit);
        QCOMPARE(objeto.AsString(), novo);
        tabela.Cancel();
        QCOMPARE(objeto.AsString(), QStringLiteral("mesa de madeira e mesa de ferro"));
        QCOMPARE(cenario.memo->toPlainText(), objeto.AsString());
    }

    void memoSomenteLeituraLocalizaMasNaoSubstitui()
    {
        Cenario cenario(QStringLiteral("texto"));
        cenario.memo->SetReadOnly(true);
        QVERIFY(cenario.Mostrado());

        QVERIFY(
            !AbriuJanela([&] { QTest::keyClick(cenario.memo, Qt::Key_U, Qt::ControlModifier); }));
        QVERIFY(
            AbriuJanela([&] { QTest::keyClick(cenario.memo, Qt::Key_L, Qt::ControlModifier); }));
        cenario.procura.MostrarMenu(cenario.memo);
        const QList<QAction *> itens = cenario.procura.Menu()->actions();
        cenario.procura.Menu()->hide();
        QVERIFY(itens.at(7)->isEnabled());
        QVERIFY(!itens.at(9)->isEnabled());
    }

    void onBeforeChangeQueRecusaNaoAbreAJanela()
    {
        Cenario cenario(QStringLiteral("texto"));
        int perguntas = 0;
        cenario.memo->OnBeforeChange() = [&](QObject *sender, bool &cancela) {
            QCOMPARE(sender, cenario.memo);
            ++perguntas;
            cancela = true;
        };
        QVERIFY(cenario.Mostrado());

        QVERIFY(!AbriuJanela([&] {
            QTest::keyClick(cenario.memo, Qt::Key_L, Qt::ControlModifier);
            QTest::keyClick(cenario.memo, Qt::Key_U, Qt::ControlModifier);
        }));
        QCOMPARE(perguntas, 2);
    }

    void janelaPorModo_data()
    {
        QTest::addColumn<int>("modo");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<int>("altura");
        QTest::addColumn<QString>("botao");
        QTest::addColumn<QRect>("localizar");
        QTest::addColumn<QPoint>("diferenciar");
        QTest::addColumn<QPoint>("cancelar");
        QTest::addColumn<bool>("comSubstituicao");
        QTest::newRow("localizar")
            << int(mpLocalizar) << QStringLiteral("Localizar") << 90 << QStringLiteral("&Localizar")
            << QRect(228, 62, 89, 25) << QPoint(76, 37) << QPoint(325, 62) << false;
        QTest::newRow("substituir") << int(mpSubstituir) << QStringLiteral("Substituir") << 119
                                    << QStringLiteral("S&ubstituir") << QRect(135, 91, 89, 25)
                                    << QPoint(76, 66) << QPoint(325, 91) << true;
    }

    void janelaPorModo()
    {
        QFETCH(int, modo);
        QFETCH(QString, titulo);
        QFETCH(int, altura);
        QFETCH(QString, botao);
        QFETCH(QRect, localizar);
        QFETCH(QPoint, diferenciar);
        QFETCH(QPoint, cancelar);
        QFETCH(bool, comSubstituicao);
        TVrtProcuraDlg procura;
        TFormProcuraSubstitui janela(TModoProcura(modo), procura);
        janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&janela));

        QCOMPARE(janela.windowTitle(), titulo);
        QCOMPARE(janela.size(), QSize(422, altura));
        auto *procurar = Parte<QPushButton>(janela, "bt_ProcuraSubstitui");
        QCOMPARE(procurar->text(), botao);
        QCOMPARE(procurar->geometry(), localizar);
        QVERIFY(procurar->isDefault());
        QCOMPARE(Parte<QCheckBox>(janela, "ck_CaseSensitive")->pos(), diferenciar);
        QCOMPARE(Parte<QPushButton>(janela, "bt_Cancelar")->pos(), cancelar);
        for (const char *nome : {"bt_SubstituiTodas", "lb_Substitui", "ed_Substitui"})
            QCOMPARE(Parte<QWidget>(janela, nome)->isVisible(), comSubstituicao);
        QVERIFY(janela.PrimeiraProcura());
        // Every visible control lies inside the window and has room for its text.
        for (QWidget *parte : janela.findChildren<QWidget *>()) {
            if (!parte->isVisible())
                continue;
            QVERIFY2(janela.rect().contains(parte->geometry()), qPrintable(parte->objectName()));
            if (auto *rotulo = qobject_cast<QLabel *>(parte))
                QVERIFY2(rotulo->sizeHint().width() <= rotulo->width(),
                    qPrintable(rotulo->objectName()));
            if (auto *caixa = qobject_cast<QCheckBox *>(parte))
                QVERIFY(caixa->sizeHint().width() <= caixa->width());
        }
    }

    void menuComEstadosDeCadaAbertura_data()
    {
        QTest::addColumn<bool>("selecao");
        QTest::addColumn<bool>("areaTransferencia");
        QTest::addColumn<bool>("procurado");
        QTest::addColumn<bool>("somenteLeitura");
        // Desfazer, Recortar, Copiar, Colar, Excluir, Localizar, próxima, Substituir, Selecionar.
        QTest::addColumn<QString>("habilitados");
        QTest::newRow("nada") << false << false << false << false << QStringLiteral("100001011");
        QTest::newRow("tudo") << true << true << true << false << QStringLiteral("111111111");
        QTest::newRow("somente leitura")
            << true << true << true << true << QStringLiteral("101001101");
    }

    void menuComEstadosDeCadaAbertura()
    {
        QFETCH(bool, selecao);
        QFETCH(bool, areaTransferencia);
        QFETCH(bool, procurado);
        QFETCH(bool, somenteLeitura);
        QFETCH(QString, habilitados);
        Cenario cenario(QStringLiteral("um texto"));
        QVERIFY(cenario.Mostrado());
        if (selecao)
            cenario.memo->selectAll();
        QGuiApplication::clipboard()->setText(areaTransferencia ? QStringLiteral("x") : QString());
        cenario.procura.TextoProcura = procurado ? QStringLiteral("texto") : QString();
        cenario.memo->SetReadOnly(somenteLeitura);

        cenario.procura.MostrarMenu(cenario.memo);
        QMenu *menu = cenario.procura.Menu();
        menu->hide();

        QStringList legendas;
        QString estados;
        for (QAction *item : menu->actions()) {
            legendas.append(item->isSeparator() ? QStringLiteral("-") : item->text());
            if (!item->isSeparator())
                estados.append(item->isEnabled() ? QLatin1Char('1') : QLatin1Char('0'));
        }
        QCOMPARE(legendas,
            QStringList({QStringLiteral("Desfazer"), QStringLiteral("-"),
                QStringLiteral("Recortar"), QStringLiteral("Copiar"), QStringLiteral("Colar"),
                QStringLiteral("Excluir"), QStringLiteral("-"),
                QStringLiteral("&Localizar texto (Ctrl+L)"),
                QStringLiteral("Localizar próxima (F3)"), QStringLiteral("S&ubstituir (Ctrl+U)"),
                QStringLiteral("-"), QStringLiteral("&Selecionar tudo")}));
        QCOMPARE(estados, habilitados);
        QCOMPARE(cenario.procura.Alvo(), cenario.memo);
    }

    void permissaoDeAlteracao_data()
    {
        QTest::addColumn<bool>("recusa");
        QTest::addColumn<bool>("liberadaPorMensagem");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("perguntas"); // after typing "ab", then "c" after re-entering
        QTest::newRow("recusa a cada tecla") << true << false << QString() << 3;
        QTest::newRow("permite uma vez por entrada")
            << false << false << QStringLiteral("abc") << 2;
        QTest::newRow("liberada pela mensagem") << true << true << QStringLiteral("ab") << 1;
    }

    void permissaoDeAlteracao()
    {
        QFETCH(bool, recusa);
        QFETCH(bool, liberadaPorMensagem);
        QFETCH(QString, texto);
        QFETCH(int, perguntas);
        Cenario cenario {QString()};
        int perguntado = 0;
        cenario.memo->OnBeforeChange() = [&](QObject *, bool &cancela) {
            ++perguntado;
            cancela = recusa;
        };
        QVERIFY(cenario.Mostrado());
        cenario.memo->setFocus(Qt::OtherFocusReason);
        if (liberadaPorMensagem) {
            TAlteracaoLiberadaEvent liberar(1);
            QCoreApplication::sendEvent(cenario.memo, &liberar);
        }

        QTest::keyClicks(cenario.memo, QStringLiteral("ab"));
        cenario.outro->setFocus(Qt::OtherFocusReason);
        cenario.memo->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(cenario.memo, QStringLiteral("c"));

        QCOMPARE(cenario.memo->toPlainText(), texto);
        QCOMPARE(perguntado, perguntas);
    }

    // Focus only borrowed writes nothing on the way out and keeps the change allowed; a real
    // leaving writes the text and the next change is asked again.
    void focoEmprestadoNaoESaida_data() { CasosDeFoco(); }

    void focoEmprestadoNaoESaida()
    {
        QFETCH(int, motivo);
        QFETCH(bool, emprestado);
        TabelaMemo dados {QString()};
        Cenario cenario {QString()};
        dados.Ligar(cenario.memo);
        int perguntas = 0;
        cenario.memo->OnBeforeChange() = [&](QObject *, bool &) { ++perguntas; };
        QVERIFY(cenario.Mostrado());
        cenario.memo->setFocus(Qt::OtherFocusReason);
        QTest::keyClicks(cenario.memo, QStringLiteral("a"));

        SairEVoltar(cenario.memo, Qt::FocusReason(motivo));
        QCOMPARE(dados.objeto.AsString(), emprestado ? QString() : u"a"_qs);
        QTest::keyClicks(cenario.memo, QStringLiteral("b"));
        QCOMPARE(perguntas, emprestado ? 1 : 2);
        QCOMPARE(cenario.memo->toPlainText(), QStringLiteral("ab"));
    }

    // Without a find component the memo shows the toolkit's menu, whose changes are asked and
    // put the row into edit as keys do, so that leaving stores them.
    void menuPadraoPassaPelaPermissao_data()
    {
        QTest::addColumn<QByteArray>("acao");
        QTest::addColumn<bool>("recusa");
        QTest::addColumn<QString>("texto");
        QTest::newRow("recortar") << QByteArray("edit-cut") << false << QString();
        QTest::newRow("excluir") << QByteArray("edit-delete") << false << QString();
        QTest::newRow("desfazer") << QByteArray("edit-undo") << false << u"abc"_qs;
        QTest::newRow("recortar recusado") << QByteArray("edit-cut") << true << u"abcx"_qs;
        QTest::newRow("excluir recusado") << QByteArray("edit-delete") << true << u"abcx"_qs;
        QTest::newRow("desfazer recusado") << QByteArray("edit-undo") << true << u"abcx"_qs;
    }

    void menuPadraoPassaPelaPermissao()
    {
        QFETCH(QByteArray, acao);
        QFETCH(bool, recusa);
        QFETCH(QString, texto);
        TabelaMemo dados(QStringLiteral("abc"));
        Cenario cenario {QString()};
        cenario.memo->SetProcuraDlg(nullptr);
        dados.Ligar(cenario.memo);
        bool recusar = false;
        int perguntas = 0;
        cenario.memo->OnBeforeChange() = [&](QObject *, bool &cancela) {
            ++perguntas;
            cancela = recusar;
        };
        QVERIFY(cenario.Mostrado());
        // A step to undo, stored and posted: the row is back in browse.
        cenario.memo->setFocus(Qt::OtherFocusReason);
        cenario.memo->moveCursor(QTextCursor::End);
        QTest::keyClicks(cenario.memo, QStringLiteral("x"));
        cenario.outro->setFocus(Qt::OtherFocusReason);
        dados.tabela.Post();
        cenario.memo->setFocus(Qt::OtherFocusReason);
        cenario.memo->selectAll();
        recusar = recusa;

        QVERIFY(AcionarNoMenu(cenario.memo, acao));
        QCOMPARE(perguntas, 2);
        QCOMPARE(cenario.memo->toPlainText(), texto);
        QCOMPARE(dados.tabela.State(), recusa ? dsBrowse : dsEdit);
        // The window gets the focus back from the closed menu, then the memo is left.
        QVERIFY(cenario.Mostrado());
        QCOMPARE(QApplication::focusWidget(), cenario.memo);
        cenario.outro->setFocus(Qt::OtherFocusReason);
        QCOMPARE(dados.objeto.AsString(), texto);
    }
};

QTEST_MAIN(TestVrtDBMemo)
#include "test_vrtDBMemo.moc"
