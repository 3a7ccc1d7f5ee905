#include "app/ufmFornecedor.h"

#include "app/uConfiguracaoFornecedor.h"
#include "components/MemTable.h"
#include "components/vrtDBEdit.h"

#include <QLabel>
#include <QPushButton>
#include <QStringView>
#include <QStyle>

namespace {

constexpr QSize Cliente(632, 336);
constexpr int AlturaEdit = 21;
// A label stands this far above the top of its edit.
constexpr int AcimaDoEdit = 16;
constexpr QSize TamanhoBotao(75, 25);
constexpr int TopoBotoes = 301;

struct TEditFornecedor
{
    TVrtDBEdit *TfmFornecedor::*edit;
    const char16_t *nome;
    const char16_t *rotulo;
    const char16_t *campo;
    int esquerda;
    int topo;
    int largura;
    TAnchors ancoras;
};

QString Texto(const char16_t *texto)
{
    return QStringView(texto).toString();
}

} // namespace

TfmFornecedor::TfmFornecedor(TDataSource *dsForneced, QWidget *parent)
    : TJanelaSecundaria(QStringLiteral("pnPrincipal"), Cliente, {}, parent)
    , m_dsForneced(dsForneced)
    , pnPrincipal(Painel())
{
    setObjectName(QStringLiteral("fmFornecedor"));
    setWindowTitle(QStringLiteral("Fornecedor"));

    CriarEdits();
    btLimpar = CriarBotao(
        QStringLiteral("btLimpar"), QStringLiteral("&Limpar"), QStyle::SP_DialogResetButton, 453);
    btSalvar = CriarBotao(
        QStringLiteral("btSalvar"), QStringLiteral("&Salvar"), QStyle::SP_DialogSaveButton, 548);
    connect(btLimpar, &QPushButton::clicked, this, &TfmFornecedor::btLimparClick);
    connect(btSalvar, &QPushButton::clicked, this, &TfmFornecedor::btSalvarClick);
    setTabOrder(edTelefoneRepresentante, btLimpar);
    setTabOrder(btLimpar, btSalvar);
}

void TfmFornecedor::CriarEdits()
{
    const TAnchors esticado = akLeft | akTop | akRight;
    const TAnchors aDireita = akTop | akRight;
    static const TEditFornecedor edits[] = {
        {&TfmFornecedor::edRazaoSocial, u"edRazaoSocial", u"Ra&zão social/Nome:", u"FORRAZAOSOCIAL",
            8, 24, 616, esticado},
        {&TfmFornecedor::edNomeFantasia, u"edNomeFantasia", u"&Nome fantasia:", u"FORNOMEFANTASIA",
            8, 64, 616, esticado},
        {&TfmFornecedor::edCPFCNPJ, u"edCPFCNPJ", u"&CPF/CNPJ:", u"FORCPFCNPJ", 8, 104, 220,
            akLeft | akTop},
        {&TfmFornecedor::edEndereco, u"edEndereco", u"&Endereço:", u"FORENDERECO", 8, 144, 616,
            esticado},
        {&TfmFornecedor::edCidade, u"edCidade", u"C&idade:", u"FORCIDADE", 8, 184, 200, esticado},
        {&TfmFornecedor::edEstado, u"edEstado", u"Es&tado:", u"FORESTADO", 216, 184, 200, aDireita},
        {&TfmFornecedor::edCep, u"edCep", u"CE&P:", u"FORCEP", 424, 184, 200, aDireita},
        {&TfmFornecedor::edEmail, u"edEmail", u"E-&mail:", u"FOREMAIL", 8, 224, 200, esticado},
        {&TfmFornecedor::edTelefoneEmpresa, u"edTelefoneEmpresa", u"Tele&fone Empresa:",
            u"FORFONEEMPRESA", 216, 224, 200, aDireita},
        {&TfmFornecedor::edFaxEmpresa, u"edFaxEmpresa", u"F&ax Empresa:", u"FORFAXEMPRESA", 424,
            224, 200, aDireita},
        {&TfmFornecedor::edRepresentante, u"edRepresentante", u"&Representante:",
            u"FORREPRESENTANTE", 8, 264, 409, esticado},
        {&TfmFornecedor::edTelefoneRepresentante, u"edTelefoneRepresentante", u"Telef&one:",
            u"FORFONEREPRESENTANTE", 424, 264, 200, aDireita},
    };

    TVrtDBEdit *anterior = nullptr;
    for (const TEditFornecedor &e : edits) {
        auto *edit = new TVrtDBEdit(pnPrincipal);
        edit->setObjectName(Texto(e.nome));
        edit->setGeometry(e.esquerda, e.topo, e.largura, AlturaEdit);
        edit->SetDataSource(m_dsForneced);
        edit->SetDataField(Texto(e.campo));
        Ancorar(*edit, e.ancoras);
        this->*e.edit = edit;

        auto *rotulo = new QLabel(Texto(e.rotulo), pnPrincipal);
        rotulo->setObjectName(QStringLiteral("lb") + edit->objectName().mid(2));
        rotulo->setBuddy(edit);
        rotulo->adjustSize();
        rotulo->move(e.esquerda, e.topo - AcimaDoEdit);
        // The label keeps to its edit's left edge.
        Ancorar(*rotulo, e.ancoras.testFlag(akLeft) ? akLeft | akTop : aDireita);

        if (anterior)
            setTabOrder(anterior, edit);
        anterior = edit;
    }
}

QPushButton *TfmFornecedor::CriarBotao(
    const QString &nome, const QString &texto, QStyle::StandardPixmap glifo, int esquerda)
{
    auto *botao = new QPushButton(style()->standardIcon(glifo), texto, pnPrincipal);
    botao->setObjectName(nome);
    botao->setGeometry(QRect(QPoint(esquerda, TopoBotoes), TamanhoBotao));
    Ancorar(*botao, akRight | akBottom);
    return botao;
}

void TfmFornecedor::btSalvarClick()
{
    if (TMemoryTable *mmForneced = m_dsForneced ? m_dsForneced->DataSet() : nullptr) {
        mmForneced->PostSePendente();
        GuardarFornecedor(*mmForneced);
    }
    accept();
}

void TfmFornecedor::btLimparClick()
{
    TMemoryTable *mmForneced = m_dsForneced ? m_dsForneced->DataSet() : nullptr;
    if (!mmForneced || !mmForneced->Active())
        return;
    if (mmForneced->IsEmpty() && !mmForneced->Editando())
        return;
    mmForneced->Delete();
    GuardarFornecedor(*mmForneced);
}
