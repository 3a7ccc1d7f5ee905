#include "app/uAjuda.h"
#include "app/uPrincipal.h"
#include "app/ufmDetalhesLicitacao.h"
#include "app/ufmDetalhesPesquisa.h"
#include "app/ufmFornecedor.h"
#include "components/MemTable.h"
#include "exchange/uVTExpImpCotacao.h"
#include "messages/TelaMensagem.h"
#include "model/uTabelasCotacao.h"
#include "support/CotacaoTeste.h"
#include "support/MensagemGravador.h"

#include <QAccessible>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(std::function<QWidget *(TfmCotacao &)>)

namespace {

using TCriarJanela = std::function<QWidget *(TfmCotacao &)>;

QString Nome(QWidget *controle)
{
    QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(controle);
    return acessivel ? acessivel->text(QAccessible::Name) : QString();
}

// Every control that can take the focus, shown or not, with the name a screen reader reads.
QStringList ControlesSemNome(QWidget &janela)
{
    QStringList sem;
    for (QWidget *controle : janela.findChildren<QWidget *>()) {
        if (controle->focusPolicy() == Qt::NoFocus || controle->window() != &janela)
            continue;
        if (Nome(controle).trimmed().isEmpty())
            sem.append(QString::fromLatin1(controle->metaObject()->className()) + u' '
                + controle->objectName() + u" in "_s + controle->parentWidget()->objectName());
    }
    return sem;
}

TDataSource *Fonte(TfmCotacao &principal, TMemoryTable &tabela)
{
    auto *fonte = new TDataSource(&principal);
    fonte->SetDataSet(&tabela);
    return fonte;
}

// The windows, each made beside the main window that owns it.
QWidget *Principal(TfmCotacao &principal)
{
    return &principal;
}

QWidget *Fornecedor(TfmCotacao &principal)
{
    return new TfmFornecedor(Fonte(principal, principal.Tabelas().mmForneced), &principal);
}

QWidget *DetalhesLicitacao(TfmCotacao &principal)
{
    return new TfmDetalhes(Fonte(principal, principal.Tabelas().mmDados), &principal);
}

QWidget *DetalhesPesquisa(TfmCotacao &principal)
{
    return new TfmDetalhesPesquisa(Fonte(principal, principal.Tabelas().mmDados), &principal);
}

// The message screen with every button and its details open.
QWidget *Mensagem(TfmCotacao &principal)
{
    auto *tela = new TForm_TelaMensagem(&principal);
    tela->Preencher({tmErro, u"Atenção"_s, u"Não foi possível salvar."_s,
        bmSim | bmNao | bmCancelar | bmContinuar | bmTodos | bmRepetir, u"Disco cheio."_s, true,
        false});
    return tela;
}

QWidget *ComoUsar(TfmCotacao &principal)
{
    return MostrarComoUsar(principal);
}

QWidget *Sobre(TfmCotacao &principal)
{
    return MostrarSobre(principal);
}

} // namespace

class TestNomesAcessiveis : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyControlHasAName_data()
    {
        QTest::addColumn<TCriarJanela>("criar");
        QTest::newRow("main window") << TCriarJanela(Principal);
        QTest::newRow("supplier") << TCriarJanela(Fornecedor);
        QTest::newRow("tender details") << TCriarJanela(DetalhesLicitacao);
        QTest::newRow("survey details") << TCriarJanela(DetalhesPesquisa);
        QTest::newRow("message screen") << TCriarJanela(Mensagem);
        QTest::newRow("help") << TCriarJanela(ComoUsar);
        QTest::newRow("about") << TCriarJanela(Sobre);
    }

    void everyControlHasAName()
    {
        QFETCH(TCriarJanela, criar);
        const MensagemGravador gravador;
        TfmCotacao principal;
        QWidget *janela = criar(principal);
        janela->show();
        QVERIFY(QTest::qWaitForWindowExposed(janela));
        const QStringList sem = ControlesSemNome(*janela);
        QVERIFY2(sem.isEmpty(), qPrintable(sem.join(u'\n')));
    }

    // A control is named by the text of its label, or by the title of the box around it.
    void namesAreWhatTheUserReads_data()
    {
        QTest::addColumn<TCriarJanela>("criar");
        QTest::addColumn<QString>("controle");
        QTest::addColumn<QString>("nome");
        const TCriarJanela principal(Principal);
        const TCriarJanela fornecedor(Fornecedor);
        const TCriarJanela detalhes(DetalhesLicitacao);
        QTest::newRow("supplier's number")
            << principal << u"edFornecedor"_s << u"CPF/CNPJ do Fornecedor:"_s;
        QTest::newRow("proposal total")
            << principal << u"edValorTotal"_s << u"Valor total da proposta (R$):"_s;
        QTest::newRow("item grid") << principal << u"dbgItens"_s << u"Itens/Cotação"_s;
        QTest::newRow("lot grid") << principal << u"dbgGrupos"_s << u"Lotes"_s;
        QTest::newRow("quota grid") << principal << u"dbgCotas"_s << u"Cotas"_s;
        QTest::newRow("company name")
            << fornecedor << u"edRazaoSocial"_s << u"Razão social/Nome:"_s;
        QTest::newRow("representative's phone")
            << fornecedor << u"edTelefoneRepresentante"_s << u"Telefone:"_s;
        QTest::newRow("clear button") << fornecedor << u"btLimpar"_s << u"Limpar"_s;
        QTest::newRow("tender's object") << detalhes << u"vrtDBMmObjeto"_s << u"Objeto:"_s;
    }

    void namesAreWhatTheUserReads()
    {
        QFETCH(TCriarJanela, criar);
        QFETCH(QString, controle);
        QFETCH(QString, nome);
        TfmCotacao principal;
        QWidget *janela = criar(principal);
        auto *alvo = janela->findChild<QWidget *>(controle);
        QVERIFY(alvo);
        QCOMPARE(Nome(alvo), nome);
    }
};

QTEST_MAIN(TestNomesAcessiveis)
#include "test_uNomesAcessiveis.moc"
