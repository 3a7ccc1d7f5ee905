#include "app/uPrincipal.h"

#include "app/uAjuda.h"
#include "app/uArquivoSolto.h"
#include "app/uArquivosRecentes.h"
#include "app/uAtalhos.h"
#include "app/uBarraLocalizar.h"
#include "app/uBarraResumo.h"
#include "app/uConferenciaProposta.h"
#include "app/uConfiguracaoFornecedor.h"
#include "app/uDetalhesItem.h"
#include "app/uDigitacaoPendente.h"
#include "app/uImportacaoPlanilha.h"
#include "app/uNomesAcessiveis.h"
#include "app/uRegrasCotacao.h"
#include "app/uTamanhoJanela.h"
#include "app/ufmConferirProposta.h"
#include "app/ufmDetalhesLicitacao.h"
#include "app/ufmDetalhesPesquisa.h"
#include "app/ufmFornecedor.h"
#include "common/uExcecoes.h"
#include "common/uFormatFloat.h"
#include "components/Dbvalor.h"
#include "components/MemTable.h"
#include "components/VrtDBImage.h"
#include "components/uDBText.h"
#include "components/uExecucaoProtegida.h"
#include "components/vrtDBEdit.h"
#include "components/vrtDBGrid.h"
#include "messages/ExibeMensagens.h"
#include "messages/uExpLog.h"
#include "model/uTabelasCotacao.h"
#include "report/uImpressaoCotacao.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSessionManager>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <initializer_list>

namespace {

const QString Titulo = QStringLiteral("Varenta-Cotação 2.0");

// Design sizes, in pixels.
constexpr int LarguraJanela = 1024;
constexpr int AlturaJanela = 768;
constexpr int AlturaCabecalho = 161;
constexpr int LadoBrasao = 151;
constexpr int AlturaLinha = 24;
constexpr int AlturaPainelGrade = 110;
constexpr int AlturaDivisoria = 4;
constexpr int AlturaDetalhesItem = 110;
constexpr int LarguraEdicao = 205;
constexpr int LarguraFormaJulgamento = 90;
constexpr int TamanhoFonte = 10;

QFont FonteCabecalho(bool negrito)
{
    QFont fonte;
    fonte.setPointSize(TamanhoFonte);
    fonte.setBold(negrito);
    return fonte;
}

// The header's labels: bold, right-aligned against the value they name.
QLabel *Rotulo(const QString &texto, QWidget *pai, int largura)
{
    auto *rotulo = new QLabel(texto, pai);
    rotulo->setFont(FonteCabecalho(true));
    rotulo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (largura > 0)
        rotulo->setFixedWidth(largura);
    return rotulo;
}

TDBText *Valor(TDataSource *fonte, const QString &campo, QWidget *pai)
{
    auto *valor = new TDBText(pai);
    valor->setObjectName(QStringLiteral("db") + campo);
    valor->setFont(FonteCabecalho(false));
    valor->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    valor->SetDataSource(fonte);
    valor->SetDataField(campo);
    return valor;
}

// One row of the header, as high as a line of its text.
QWidget *Linha(const QString &nome, QWidget *pai, QHBoxLayout *&disposicao)
{
    auto *linha = new QWidget(pai);
    linha->setObjectName(nome);
    linha->setFixedHeight(AlturaLinha);
    disposicao = new QHBoxLayout(linha);
    disposicao->setContentsMargins(4, 0, 4, 0);
    disposicao->setSpacing(6);
    return linha;
}

enum TTituloDetalhes { ComTitulo, SemTitulo };

// Shows a details window modally, and frees it when it closes. A window that cannot be made or
// shown says so, with the reason in its details.
template<typename Janela>
void MostrarDetalhes(
    TDataSource *dsDados, QWidget *dono, const QString &falha, TTituloDetalhes titulo = ComTitulo)
{
    try {
        Janela janela(dsDados, dono);
        if (titulo == SemTitulo)
            janela.setWindowTitle(QString());
        janela.exec();
    } catch (const EAbort &) {
        throw;
    } catch (const Exception &erro) {
        ExibeMensagemDetalhada(
            tmErro, QStringLiteral("Atenção"), falha, bmContinuar, erro.Message(), false);
    }
}

} // namespace

TfmCotacao::TfmCotacao(QWidget *parent)
    : QMainWindow(parent)
    , m_tabelas(std::make_unique<TTabelasCotacao>())
    , m_regras(std::make_unique<TRegrasCotacao>(*m_tabelas))
    , m_planilha(new TImportacaoPlanilha(
          *m_regras, [this] { return DiretorioArquivo; }, this))
{
    setObjectName(QStringLiteral("fmCotacao"));
    setWindowTitle(Titulo);
    AjustarATela();

    const auto fonte = [this](const char *nome, TMemoryTable &tabela) {
        auto *ds = new TDataSource(this);
        ds->setObjectName(QLatin1String(nome));
        ds->SetDataSet(&tabela);
        return ds;
    };
    dsDados = fonte("dsDados", m_tabelas->mmDados);
    dsGrupos = fonte("dsGrupos", m_tabelas->mmGrupos);
    dsItens = fonte("dsItens", m_tabelas->mmItens);
    dsCotas = fonte("dsCotas", m_tabelas->mmCotas);
    dsForneced = fonte("dsForneced", m_tabelas->mmForneced);

    CriarJanela();
    CriarMenu();
    LigarEventos();
    m_planilha->VigiarColagem(*dbgItens);
    EscolherArquivo = [this] { return MostrarDialogoCotacao(); };
    EscolherPasta = [this] { return MostrarDialogoPasta(); };
    m_regras->AoCalcularTotais = [this] { AtualizarResumo(); };
    connect(qApp, &QGuiApplication::commitDataRequest, this, &TfmCotacao::AoEncerrarSessao);
    FormCreate();
    CarregarFornecedor(m_tabelas->mmForneced);
    setAcceptDrops(true);
    NomearControles(*this);
}

void TfmCotacao::dragEnterEvent(QDragEnterEvent *event)
{
    if (!ArquivoCotacaoSolto(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TfmCotacao::dropEvent(QDropEvent *event)
{
    const QString caminho = ArquivoCotacaoSolto(event->mimeData());
    if (caminho.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop has ended, so that the messages of the open do not hold up the
    // program the file came from.
    QMetaObject::invokeMethod(
        this, [this, caminho] { Abrir(caminho); }, Qt::QueuedConnection);
}

void TfmCotacao::showEvent(QShowEvent *event)
{
    // The frame the window system draws is known once the window is shown.
    if (!m_ajustadaAMoldura && windowHandle() && !windowHandle()->frameMargins().isNull()) {
        m_ajustadaAMoldura = true;
        AjustarATela();
    }
    QMainWindow::showEvent(event);
}

void TfmCotacao::AjustarATela()
{
    const QScreen *tela = screen();
    if (!tela)
        return;
    const QRect disponivel = tela->availableGeometry();
    const QMargins moldura = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const TTamanhoJanela tamanho
        = TamanhoJanela(QSize(LarguraJanela, AlturaJanela), disponivel.size(), moldura);
    setMinimumSize(tamanho.Minimo);
    resize(tamanho.Inicial);
    // A window's position is its frame's.
    const QSize externo = tamanho.Inicial
        + QSize(moldura.left() + moldura.right(), moldura.top() + moldura.bottom());
    move(disponivel.topLeft()
        + QPoint(std::max(0, (disponivel.width() - externo.width()) / 2),
            std::max(0, (disponivel.height() - externo.height()) / 2)));
    setWindowState(tamanho.Maximizada ? (windowState() | Qt::WindowMaximized)
                                      : (windowState() & ~Qt::WindowMaximized));
}

TfmCotacao::~TfmCotacao()
{
    FormDestroy();
    // The controls go before the tables they show.
    delete takeCentralWidget();
}

void TfmCotacao::CriarJanela()
{
    auto *centro = new QWidget(this);
    auto *disposicao = new QVBoxLayout(centro);
    disposicao->setContentsMargins(0, 0, 0, 0);
    disposicao->setSpacing(0);
    disposicao->addWidget(CriarCabecalho());

    // Header, quotas, lots, splitter, items: the quota and lot panels share the strip above the
    // splitter, in that order, whichever of them is shown.
    Splitter1 = new QSplitter(Qt::Vertical, centro);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setHandleWidth(AlturaDivisoria);
    Splitter1->setChildrenCollapsible(false);
    pnSuperior = new QWidget(Splitter1);
    pnSuperior->setObjectName(QStringLiteral("pnSuperior"));
    pnSuperior->setMinimumHeight(AlturaDivisoria);
    auto *superior = new QVBoxLayout(pnSuperior);
    superior->setContentsMargins(0, 0, 0, 0);
    superior->setSpacing(0);
    pnCotas = CriarPainelGrade(
        "pnCotas", "gbCotas", QStringLiteral("Cotas"), "dbgCotas", dsCotas, gbCotas, dbgCotas);
    pnGrupoItens = CriarPainelGrade("pnGrupoItens", "gbGrupoItens", QStringLiteral("Lotes"),
        "dbgGrupos", dsGrupos, gbGrupoItens, dbgGrupos);
    pnGrupoItens->setMinimumHeight(AlturaDivisoria);
    superior->addWidget(pnCotas);
    superior->addWidget(pnGrupoItens);
    pnItens = CriarPainelItens();
    Splitter1->addWidget(pnSuperior);
    Splitter1->addWidget(pnItens);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    disposicao->addWidget(Splitter1, 1);
    setCentralWidget(centro);
    barraResumo = new TBarraResumo(this);
    setStatusBar(barraResumo);
}

QWidget *TfmCotacao::CriarPainelItens()
{
    // The item grid with its find bar, above the current item's details; their splitter keeps
    // the size the supplier gives it while the window lives.
    QWidget *painel = CriarPainelGrade("pnItens", "gbItens", QStringLiteral("Itens/Cotação"),
        "dbgItens", dsItens, gbItens, dbgItens);
    barraLocalizar = new TBarraLocalizar(gbItens);
    static_cast<QVBoxLayout *>(gbItens->layout())->insertWidget(0, barraLocalizar);
    connect(barraLocalizar, &TBarraLocalizar::procurar, this, &TfmCotacao::Localizar);
    connect(barraLocalizar, &TBarraLocalizar::fechada, this, [this] { dbgItens->setFocus(); });

    splItens = new QSplitter(Qt::Vertical, painel);
    splItens->setObjectName(QStringLiteral("splItens"));
    splItens->setChildrenCollapsible(false);
    pnDetalhesItem = new TPainelDetalhesItem(*m_regras, dsItens, splItens);
    painel->layout()->removeWidget(gbItens);
    splItens->addWidget(gbItens);
    splItens->addWidget(pnDetalhesItem);
    splItens->setStretchFactor(0, 1);
    splItens->setStretchFactor(1, 0);
    splItens->setSizes({300, AlturaDetalhesItem});
    painel->layout()->addWidget(splItens);
    return painel;
}

QWidget *TfmCotacao::CriarCabecalho()
{
    pnCabecalho = new QWidget(this);
    pnCabecalho->setObjectName(QStringLiteral("pnCabecalho"));
    pnCabecalho->setFixedHeight(AlturaCabecalho);
    auto *cabecalho = new QHBoxLayout(pnCabecalho);
    cabecalho->setContentsMargins(0, 0, 0, 0);
    cabecalho->setSpacing(0);

    auto *pnDados = new QWidget(pnCabecalho);
    pnDados->setObjectName(QStringLiteral("pnDados"));
    auto *dados = new QVBoxLayout(pnDados);
    dados->setContentsMargins(0, 4, 0, 0);
    dados->setSpacing(0);

    // The labels on the left share one width, so that their values start in one column.
    const QStringList esquerda {QStringLiteral("Entidade:"), QStringLiteral("Licitação:"),
        QStringLiteral("Pesquisa de preços:"), QStringLiteral("Tratamento:"),
        QStringLiteral("CPF/CNPJ do Fornecedor:"), QStringLiteral("Valor total da proposta (R$):")};
    const QFontMetrics medida(FonteCabecalho(true));
    int largura = 0;
    for (const QString &texto : esquerda)
        largura = std::max(largura, medida.horizontalAdvance(texto));
    largura += 8;

    QHBoxLayout *linha = nullptr;
    pnEntidade = Linha(QStringLiteral("pnEntidade"), pnDados, linha);
    linha->addWidget(Rotulo(esquerda.at(0), pnEntidade, largura));
    linha->addWidget(Valor(dsDados, QStringLiteral("ELIDESCRICAO"), pnEntidade), 1);
    dados->addWidget(pnEntidade);

    const auto comForma = [&](const QString &nome, const QString &rotulo, const QString &campo) {
        QWidget *painel = Linha(nome, pnDados, linha);
        linha->addWidget(Rotulo(rotulo, painel, largura));
        linha->addWidget(Valor(dsDados, campo, painel), 1);
        linha->addWidget(Rotulo(QStringLiteral("Forma de julgamento:"), painel, 0));
        TDBText *forma = Valor(dsDados, QStringLiteral("FormaJulgamento"), painel);
        forma->setFixedWidth(LarguraFormaJulgamento);
        linha->addWidget(forma);
        dados->addWidget(painel);
        return painel;
    };
    pnLicitacao
        = comForma(QStringLiteral("pnLicitacao"), esquerda.at(1), QStringLiteral("LICNUMEROALFA"));
    pnPesquisaPrecos = comForma(
        QStringLiteral("pnPesquisaPrecos"), esquerda.at(2), QStringLiteral("CODIGOPESQUISA"));

    pnTratamento = Linha(QStringLiteral("pnTratamento"), pnDados, linha);
    linha->addWidget(Rotulo(esquerda.at(3), pnTratamento, largura));
    linha->addWidget(Valor(dsDados, QStringLiteral("LICTRATAMENTO"), pnTratamento), 1);
    dados->addWidget(pnTratamento);

    pnOutros = new QWidget(pnDados);
    pnOutros->setObjectName(QStringLiteral("pnOutros"));
    auto *outros = new QVBoxLayout(pnOutros);
    outros->setContentsMargins(0, 0, 0, 0);
    outros->setSpacing(2);
    const auto comEdicao = [&](const QString &rotulo, QWidget *edicao) {
        QWidget *painel = new QWidget(pnOutros);
        auto *disposicao = new QHBoxLayout(painel);
        disposicao->setContentsMargins(4, 0, 4, 0);
        disposicao->setSpacing(6);
        QLabel *nome = Rotulo(rotulo, painel, largura);
        nome->setBuddy(edicao);
        edicao->setParent(painel);
        edicao->setFixedWidth(LarguraEdicao);
        edicao->setFont(FonteCabecalho(false));
        disposicao->addWidget(nome);
        disposicao->addWidget(edicao);
        disposicao->addStretch(1);
        outros->addWidget(painel);
    };
    edFornecedor = new TVrtDBEdit(pnOutros);
    edFornecedor->setObjectName(QStringLiteral("edFornecedor"));
    edFornecedor->SetDataSource(dsDados);
    edFornecedor->SetDataField(QStringLiteral("FornecedorCPFCNPJ"));
    comEdicao(QStringLiteral("CPF/CNPJ do &Fornecedor:"), edFornecedor);
    edValorTotal = new TDBValor(pnOutros);
    edValorTotal->setObjectName(QStringLiteral("edValorTotal"));
    edValorTotal->SetNumeroDigitos(14);
    edValorTotal->SetAceitaNegativo(false);
    edValorTotal->SetDataSource(dsDados);
    edValorTotal->SetDataField(QStringLiteral("ValorTotalCotado"));
    comEdicao(QStringLiteral("&Valor total da proposta (R$):"), edValorTotal);
    outros->addStretch(1);
    dados->addWidget(pnOutros, 1);
    cabecalho->addWidget(pnDados, 1);

    // The coat of arms is shown, never chosen, removed or enlarged.
    pnBrasao = new QWidget(pnCabecalho);
    pnBrasao->setObjectName(QStringLiteral("pnBrasao"));
    pnBrasao->setFixedWidth(LadoBrasao);
    auto *brasao = new QVBoxLayout(pnBrasao);
    brasao->setContentsMargins(0, 0, 0, 0);
    dbImgBrasao = new TVrtDBImage(pnBrasao);
    dbImgBrasao->setObjectName(QStringLiteral("dbImgBrasao"));
    dbImgBrasao->setAccessibleName(QStringLiteral("Brasão da entidade"));
    dbImgBrasao->setFixedSize(LadoBrasao, LadoBrasao);
    dbImgBrasao->SetUsaBotaoRelacionar(false);
    dbImgBrasao->SetUsaBotaoApagar(false);
    dbImgBrasao->SetUsaBotaoAmpliar(false);
    dbImgBrasao->SetUsaPopupMenu(false);
    dbImgBrasao->SetAutoScroll(false);
    dbImgBrasao->SetAutoStrech(false);
    dbImgBrasao->SetCenter(false);
    dbImgBrasao->SetBorderStyle(bsNone);
    dbImgBrasao->SetParentColor(true);
    dbImgBrasao->SetMaxWidth_CM(4.0);
    dbImgBrasao->SetMaxHeight_CM(4.0);
    dbImgBrasao->SetDataSource(dsDados);
    dbImgBrasao->SetDatafield(QStringLiteral("ELIBRASAORELATORIO"));
    brasao->addWidget(dbImgBrasao, 0, Qt::AlignTop | Qt::AlignRight);
    brasao->addStretch(1);
    cabecalho->addWidget(pnBrasao);
    return pnCabecalho;
}

QWidget *TfmCotacao::CriarPainelGrade(const char *painel, const char *caixa, const QString &titulo,
    const char *grade, TDataSource *fonte, QGroupBox *&gb, TvrtDBGrid *&dbg)
{
    auto *pn = new QWidget(this);
    pn->setObjectName(QLatin1String(painel));
    auto *disposicao = new QVBoxLayout(pn);
    disposicao->setContentsMargins(2, 0, 2, 2);
    gb = new QGroupBox(titulo, pn);
    gb->setObjectName(QLatin1String(caixa));
    auto *dentro = new QVBoxLayout(gb);
    dentro->setContentsMargins(4, 2, 4, 4);
    dbg = new TvrtDBGrid(gb);
    dbg->setObjectName(QLatin1String(grade));
    dbg->SetDataSource(fonte);
    dentro->addWidget(dbg);
    disposicao->addWidget(gb);
    return pn;
}

void TfmCotacao::CriarMenu()
{
    QMenu *mnArquivo = menuBar()->addMenu(QStringLiteral("Arquivo"));
    mnArquivo->setObjectName(QStringLiteral("mnArquivo"));
    const auto comando = [&](const char *nome, const QString &texto, const QString &dica,
                             void (TfmCotacao::*acao)()) {
        QAction *item = mnArquivo->addAction(texto);
        item->setObjectName(QLatin1String(nome));
        item->setStatusTip(dica);
        connect(item, &QAction::triggered, this, acao);
        return item;
    };
    mnAbrir = comando("mnAbrir", QStringLiteral("&Abrir..."), QStringLiteral("Abrir um arquivo"),
        &TfmCotacao::mnAbrirClick);
    mnSalvar = comando("mnSalvar", QStringLiteral("&Salvar..."), QStringLiteral("Salvar a cotação"),
        &TfmCotacao::mnSalvarClick);
    mnSalvarEmOutraPasta
        = comando("mnSalvarEmOutraPasta", QStringLiteral("Salvar em outra pasta..."),
            QStringLiteral("Salvar a cotação numa pasta escolhida"),
            &TfmCotacao::mnSalvarEmOutraPastaClick);
    mnExportarPlanilha = comando("mnExportarPlanilha", QStringLiteral("Exportar planilha..."),
        QStringLiteral("Levar os itens para uma planilha"), &TfmCotacao::mnExportarPlanilhaClick);
    mnImportarPlanilha = comando("mnImportarPlanilha", QStringLiteral("Importar planilha..."),
        QStringLiteral("Trazer as respostas de uma planilha"),
        &TfmCotacao::mnImportarPlanilhaClick);
    mnDetalhesLic = comando("mnDetalhesLic", QStringLiteral("&Detalhes da licitação..."),
        QStringLiteral("Informações da licitação"), &TfmCotacao::mnDetalhesLicClick);
    mnDetalhesPesquisa = comando("mnDetalhesPesquisa",
        QStringLiteral("Detalhes da &pesquisa de preços..."),
        QStringLiteral("Informações da pesquisa de preços"), &TfmCotacao::mnDetalhesPesquisaClick);
    mnFornecedor = comando("mnFornecedor", QStringLiteral("&Fornecedor..."),
        QStringLiteral("Informações do fornecedor"), &TfmCotacao::mnFornecedorClick);
    mnImprimir = comando("mnImprimir", QStringLiteral("&Imprimir..."),
        QStringLiteral("Imprimir a proposta"), &TfmCotacao::mnImprimirClick);
    mnConferirProposta = comando("mnConferirProposta", QStringLiteral("Conferir proposta..."),
        QStringLiteral("Conferir a proposta antes de enviá-la"),
        &TfmCotacao::mnConferirPropostaClick);
    mnProximoSemPreco = comando("mnProximoSemPreco", QStringLiteral("Próximo item sem preço"),
        QStringLiteral("Ir ao próximo item sem preço"), &TfmCotacao::mnProximoSemPrecoClick);
    mnProximoSemPreco->setShortcut(QKeySequence(Qt::Key_F8));
    auto *localizar = new QAction(QStringLiteral("Localizar"), this);
    localizar->setObjectName(QStringLiteral("acLocalizar"));
    localizar->setShortcut(QKeySequence::Find);
    connect(localizar, &QAction::triggered, this, [this] {
        if (mnSalvar->isEnabled())
            barraLocalizar->Abrir();
    });
    addAction(localizar);
    mnArquivo->addSeparator();
    mnSair = comando("mnSair", QStringLiteral("Sai&r"), QStringLiteral("Sair do sistema"),
        &TfmCotacao::mnSairClick);
    DefinirAtalhosArquivo(*mnAbrir, *mnSalvar, *mnImprimir, *mnSair);
    auto *recentes = new TArquivosRecentes(*mnArquivo, *mnAbrir, this);
    connect(recentes, &TArquivosRecentes::Escolhido, this, &TfmCotacao::Abrir);
    connect(this, &TfmCotacao::CotacaoAberta, recentes, &TArquivosRecentes::Registrar);
    // A save renames the file received: the recent list follows the file that holds the answers.
    m_regras->AoSalvar = [this] { Q_EMIT CotacaoAberta(m_regras->CaminhoDoArquivo()); };
    CriarMenuAjuda(*menuBar(), *this);
}

void TfmCotacao::LigarEventos()
{
    TTabelasCotacao &t = *m_tabelas;
    t.mmItens.BeforeInsert = [this](TMemoryTable &tabela) { mmItensBeforeInsert(tabela); };
    t.mmItens.BeforePost = [this](TMemoryTable &tabela) { mmItensBeforePost(tabela); };
    t.mmItens.AfterPost = [this](TMemoryTable &tabela) { mmItensAfterPost(tabela); };
    t.mmGrupos.BeforeInsert = [this](TMemoryTable &tabela) { mmGruposBeforeInsert(tabela); };
    t.mmGrupos.BeforeScroll = [this](TMemoryTable &tabela) { mmGruposBeforeScroll(tabela); };
    t.mmGrupos.AfterScroll = [this](TMemoryTable &tabela) { mmGruposAfterScroll(tabela); };
    t.mmCotas.BeforeInsert = [this](TMemoryTable &tabela) { mmCotasBeforeInsert(tabela); };
    t.mmCotas.BeforeScroll = [this](TMemoryTable &tabela) { mmCotasBeforeScroll(tabela); };
    t.mmCotas.AfterScroll = [this](TMemoryTable &tabela) { mmCotasAfterScroll(tabela); };
    edFornecedor->OnExit = [this](TDBEdit &) { edFornecedorExit(); };
}

QString TfmCotacao::MostrarDialogoCotacao()
{
    QFileDialog DialogCotacao(this, QStringLiteral("Localiza o arquivo de cotação"));
    DialogCotacao.setObjectName(QStringLiteral("DialogCotacao"));
    DialogCotacao.setFileMode(QFileDialog::ExistingFile);
    DialogCotacao.setAcceptMode(QFileDialog::AcceptOpen);
    DialogCotacao.setNameFilters(
        {QStringLiteral("Arquivos KVT (*.kvt)"), QStringLiteral("Todos os arquivos (*)")});
    DialogCotacao.setDefaultSuffix(QStringLiteral("kvt"));
    if (DialogCotacao.exec() != QDialog::Accepted || DialogCotacao.selectedFiles().isEmpty())
        return QString();
    return DialogCotacao.selectedFiles().constFirst();
}

QString TfmCotacao::MostrarDialogoPasta()
{
    return QFileDialog::getExistingDirectory(
        this, QStringLiteral("Pasta onde salvar a cotação"), DiretorioArquivo);
}

void TfmCotacao::HabilitarComandos(bool arquivoAberto)
{
    for (QAction *comando :
        {mnSalvar, mnSalvarEmOutraPasta, mnExportarPlanilha, mnImportarPlanilha, mnDetalhesLic,
            mnDetalhesPesquisa, mnImprimir, mnConferirProposta, mnProximoSemPreco, mnFornecedor})
        comando->setEnabled(arquivoAberto);
    if (!arquivoAberto) {
        barraLocalizar->hide();
        barraResumo->Limpar();
    }
}

void TfmCotacao::AjustarPaineis()
{
    // The splitter resizes the strip of quotas and lots: the lots while they are shown, below
    // quotas of their design height, or else the quotas.
    const bool cotas = !pnCotas->isHidden();
    const bool lotes = !pnGrupoItens->isHidden();
    pnSuperior->setVisible(cotas || lotes);
    pnCotas->setMinimumHeight(lotes ? AlturaPainelGrade : AlturaDivisoria);
    pnCotas->setMaximumHeight(lotes ? AlturaPainelGrade : QWIDGETSIZE_MAX);
    const int superior = AlturaPainelGrade * (int(cotas) + int(lotes));
    const int altura = Splitter1->height() - Splitter1->handleWidth();
    if (superior > 0 && altura > superior)
        Splitter1->setSizes({superior, altura - superior});
}

void TfmCotacao::FormCreate()
{
    for (QWidget *painel : {pnTratamento, pnLicitacao, pnPesquisaPrecos, pnGrupoItens})
        painel->hide();
    pnItens->show();
    pnCotas->hide();
    AjustarPaineis();
    HabilitarComandos(false);
    NomeArquivo.clear();
    DiretorioArquivo.clear();
    ExtensaoArquivo.clear();
    m_tabelas->Abrir();
}

void TfmCotacao::Abrir(const QString &caminho)
{
    m_regras->NovoControlador();
    const QFileInfo arquivo(caminho);
    NomeArquivo = arquivo.completeBaseName();
    DiretorioArquivo = arquivo.absolutePath() + QLatin1Char('/');
    ExtensaoArquivo = arquivo.suffix().isEmpty() ? QString() : QLatin1Char('.') + arquivo.suffix();
    AbrirCotacao();
}

void TfmCotacao::mnAbrirClick()
{
    const QString caminho = EscolherArquivo();
    if (!caminho.isEmpty())
        Abrir(caminho);
}

void TfmCotacao::AbrirCotacao()
{
    ObterLogManager().Limpar();
    DesabilitarControles();
    try {
        const bool lido = m_regras->Carregar(NomeArquivo, DiretorioArquivo);
        HabilitarComandos(lido);
        if (lido) {
            mnDetalhesLic->setEnabled(false);
            mnDetalhesPesquisa->setEnabled(false);
            QString titulo = Titulo;
            const QString numero = m_regras->TipoCotacao() == 0 ? QStringLiteral("LICNUMEROALFA")
                                                                : QStringLiteral("CODIGOPESQUISA");
            const QString texto = m_tabelas->mmDados.FieldByName(numero).AsString();
            if (m_regras->TipoCotacao() == 0) {
                titulo += QStringLiteral(" - Licitação: ") + texto;
                pnLicitacao->show();
                pnPesquisaPrecos->hide();
            } else if (m_regras->TipoCotacao() == 1) {
                titulo += QStringLiteral(" - Pesquisa de preços: ") + texto;
                pnPesquisaPrecos->show();
                pnLicitacao->hide();
            }
            setWindowTitle(titulo);
            mnDetalhesLic->setEnabled(!pnLicitacao->isHidden());
            mnDetalhesPesquisa->setEnabled(!pnPesquisaPrecos->isHidden());
            mnImprimir->setEnabled(pnPesquisaPrecos->isHidden());
            pnGrupoItens->setVisible(m_regras->MostraLotes());
            pnItens->show();
            pnTratamento->setVisible(m_regras->MostraTratamento());
            pnCotas->setVisible(m_regras->MostraCotas());
            AjustarPaineis();
            Q_EMIT CotacaoAberta(m_regras->CaminhoDoArquivo());
        }
    } catch (...) {
        // The controller has already said what went wrong.
        HabilitarComandos(false);
    }
    HabilitarControles();
    m_tabelas->mmItens.First();
    m_tabelas->mmGrupos.First();
    m_tabelas->mmCotas.First();
    CalcularTotais();
}

bool TfmCotacao::FornecedorInformado()
{
    // A number still being typed is checked first, as leaving its edit would.
    if (!ConfirmarDigitacao(*this))
        return false;
    if (m_regras->CPFCNPJ().trimmed().isEmpty()) {
        ExibeAviso(QStringLiteral("Informe o CPF/CNPJ do fornecedor."));
        edFornecedor->setFocus();
        return false;
    }
    return true;
}

void TfmCotacao::mnSalvarClick()
{
    if (FornecedorInformado())
        SalvarCotacao(true);
}

void TfmCotacao::mnSalvarEmOutraPastaClick()
{
    if (!FornecedorInformado())
        return;
    const QString pasta = EscolherPasta();
    if (pasta.isEmpty())
        return;
    // Later saves go where this one wrote; the file received stays where it was.
    const QString anterior = DiretorioArquivo;
    DiretorioArquivo = QDir(pasta).absolutePath() + QLatin1Char('/');
    bool gravado = false;
    try {
        gravado = SalvarCotacao(true);
    } catch (...) {
        DiretorioArquivo = anterior;
        throw;
    }
    if (!gravado)
        DiretorioArquivo = anterior;
}

void TfmCotacao::mnExportarPlanilhaClick()
{
    m_planilha->ExportarPlanilha();
}

void TfmCotacao::mnImportarPlanilhaClick()
{
    m_planilha->ImportarPlanilha();
}

bool TfmCotacao::SalvarCotacao(bool MostrarMensagem)
{
    return m_regras->SalvarCotacao(DiretorioArquivo, MostrarMensagem);
}

bool TfmCotacao::PodeFechar()
{
    if (!mnSalvar->isEnabled())
        return true;
    if (!ConfirmarDigitacao(*this))
        return false;
    if (!m_regras->TemAlteracaoPendente())
        return true;
    try {
        if (SalvarCotacao(false))
            return true;
    } catch (const EAbort &) {
        // A check refused the pending item: the supplier corrects it.
        return false;
    } catch (const std::exception &) {
        // The controller has said what went wrong.
    }
    return ExibeMensagem(tmPergunta, QStringLiteral("Atenção"),
               QStringLiteral("A cotação não foi salva.\rFechar mesmo assim?"), bmSim | bmNao)
        == mrYes;
}

void TfmCotacao::AoEncerrarSessao(QSessionManager &sessao)
{
    // Logging out of the desktop closes no window: what is pending is saved here, and a refused
    // check cancels the logout where the session lets the program ask.
    if (!sessao.allowsInteraction())
        return;
    const bool pode = PodeFechar();
    sessao.release();
    if (!pode)
        sessao.cancel();
}

void TfmCotacao::closeEvent(QCloseEvent *event)
{
    if (!PodeFechar()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TfmCotacao::CalcularTotais()
{
    m_regras->CalcularTotais();
}

void TfmCotacao::GuardarPosicoes()
{
    m_regras->GuardarPosicoes();
}

void TfmCotacao::RestaurarPosicoes()
{
    m_regras->RestaurarPosicoes();
}

void TfmCotacao::DesabilitarControles()
{
    m_regras->DesabilitarControles();
}

void TfmCotacao::HabilitarControles()
{
    m_regras->HabilitarControles();
}

void TfmCotacao::mmItensBeforeInsert(TMemoryTable &)
{
    m_regras->RecusarInclusao();
}

void TfmCotacao::mmItensBeforePost(TMemoryTable &)
{
    m_regras->VerificarPrecoMaximo();
}

void TfmCotacao::mmItensAfterPost(TMemoryTable &)
{
    m_regras->AposGravarItem(DiretorioArquivo);
}

void TfmCotacao::mmGruposBeforeInsert(TMemoryTable &)
{
    m_regras->RecusarInclusao();
}

void TfmCotacao::mmGruposBeforeScroll(TMemoryTable &)
{
    m_regras->ConfirmarItemPendente();
}

void TfmCotacao::mmGruposAfterScroll(TMemoryTable &)
{
    m_regras->SeguirLote();
}

void TfmCotacao::mmCotasBeforeInsert(TMemoryTable &)
{
    m_regras->RecusarInclusao();
}

void TfmCotacao::mmCotasBeforeScroll(TMemoryTable &)
{
    m_regras->ConfirmarItemPendente();
}

void TfmCotacao::mmCotasAfterScroll(TMemoryTable &)
{
    m_regras->SeguirCota();
}

void TfmCotacao::edFornecedorExit()
{
    ValidarCPFCNPJ(m_regras->CPFCNPJ());
}

void TfmCotacao::ValidarCPFCNPJ(const QString &texto)
{
    const TConferenciaCPFCNPJ conferencia = ConferirCPFCNPJ(texto);
    switch (conferencia.Resultado) {
    case TConferenciaCPFCNPJ::Vazio:
        return;
    case TConferenciaCPFCNPJ::Aceito:
        m_regras->GravarCPFCNPJ(conferencia.Mascarado);
        return;
    case TConferenciaCPFCNPJ::Recusado:
        ExibeAviso(conferencia.Mensagem);
        edFornecedor->setFocus();
        throw EAbort();
    }
}

void TfmCotacao::mnDetalhesLicClick()
{
    MostrarDetalhes<TfmDetalhes>(
        dsDados, this, QStringLiteral("Não foi possível abrir a tela de detalhes da licitação."));
}

void TfmCotacao::mnDetalhesPesquisaClick()
{
    MostrarDetalhes<TfmDetalhesPesquisa>(dsDados, this,
        QStringLiteral("Não foi possível abrir a tela de detalhes da pesquisa de preços."),
        SemTitulo);
}

void TfmCotacao::mnFornecedorClick()
{
    TfmFornecedor fmFornecedor(dsForneced, this);
    fmFornecedor.exec();
}

void TfmCotacao::mnImprimirClick()
{
    TJanelaImpressao janela;
    janela.SalvarCotacao = [this] { SalvarCotacao(false); };
    janela.GuardarEstado = [this] {
        DesabilitarControles();
        GuardarPosicoes();
    };
    janela.RestaurarEstado = [this] {
        RestaurarPosicoes();
        HabilitarControles();
    };
    ImprimirCotacao(*m_tabelas, janela, this);
}

void TfmCotacao::mnConferirPropostaClick()
{
    // The answers as the totals read them, with a price still being typed posted first.
    if (!ConfirmarDigitacao(*this)
        || !ExecutarProtegido([this] { m_tabelas->mmItens.PostSePendente(); }))
        return;
    TfmConferirProposta janela(ConferirProposta(*m_regras), this);
    if (janela.exec() != QDialog::Accepted || !janela.Escolhida())
        return;
    const TPendencia &pendencia = *janela.Escolhida();
    switch (pendencia.Destino) {
    case TPendencia::Fornecedor:
        edFornecedor->setFocus();
        break;
    case TPendencia::DadosEmpresa:
        mnFornecedorClick();
        break;
    case TPendencia::Item:
        IrParaItem(pendencia.Entrada);
        break;
    case TPendencia::Nenhum:
        break;
    }
}

void TfmCotacao::mnProximoSemPrecoClick()
{
    IrParaItem(m_regras->Indice().ProximoSemPreco(m_regras->EntradaAtual()));
}

void TfmCotacao::Localizar(const QString &texto, bool paraTras)
{
    const int achado = m_regras->Indice().Localizar(texto, m_regras->EntradaAtual(), paraTras);
    barraLocalizar->Resultado(achado >= 0);
    if (achado < 0)
        return;
    // The bar keeps the focus, so that Enter finds the next one.
    QWidget *foco = QApplication::focusWidget();
    IrParaItem(achado);
    if (foco && barraLocalizar->isAncestorOf(foco))
        foco->setFocus();
}

void TfmCotacao::IrParaItem(int entrada)
{
    if (entrada < 0)
        return;
    // The item's lot or quota is chosen first, which posts an item being edited with its
    // checks; a refusal leaves the supplier on that item.
    if (!ExecutarProtegido([&] { m_regras->IrParaItem(entrada); }))
        return;
    dbgItens->setFocus();
    for (int coluna = 0; coluna < dbgItens->Columns().Count(); ++coluna) {
        if (dbgItens->Columns().Items(coluna).Field().FieldName() == QLatin1String("VlCotado"))
            dbgItens->SetSelectedIndex(coluna);
    }
}

void TfmCotacao::AtualizarResumo()
{
    if (!mnSalvar->isEnabled())
        return;
    const TField &total = *m_tabelas->mmDadosValorTotalCotado;
    barraResumo->Mostrar(
        m_regras->Resumo(), FormatFloat(total.DisplayFormat(), m_regras->Resumo().Total));
}

void TfmCotacao::mnSairClick()
{
    close();
}

void TfmCotacao::FormDestroy()
{
    m_tabelas->Fechar();
    m_regras->LiberarControlador();
}
