// Draws the pictures of the documentation on a real display (scripts/screenshots runs it under
// Xvfb, so that fonts and style are the ones a user sees):
//   capturas FOLDER SAMPLES_FOLDER
// Each scene shows a window or a control as the documentation describes it. Exits with 1 and
// names the picture when one could not be drawn.

#include "app/DadosDetalhes.h"
#include "app/DadosFornecedor.h"
#include "app/uAjuda.h"
#include "app/uImportacaoPlanilha.h"
#include "app/uPrincipal.h"
#include "app/uTraducoes.h"
#include "app/ufmConferirProposta.h"
#include "app/ufmDetalhesLicitacao.h"
#include "app/ufmDetalhesPesquisa.h"
#include "app/ufmFornecedor.h"
#include "app/ufmPreviaPlanilha.h"
#include "components/MemTable.h"
#include "components/VrtDBImage.h"
#include "components/vrtDBEdit.h"
#include "components/vrtDBGrid.h"
#include "components/vrtDBMemo.h"
#include "components/vrtProcuraSubstitui.h"
#include "exchange/uVTExpImpCotacao.h"
#include "messages/TelaMensagem.h"
#include "model/uTabelasCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"
#include "support/ArquivosTeste.h"
#include "support/CotacaoTeste.h"
#include "support/JanelasTeste.h"
#include "support/MensagemGravador.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QtMath>

#include <cstdio>
#include <memory>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

const QString Atencao = u"Atenção"_s;

void Exigir(bool condicao, const QString &oQue)
{
    if (!condicao)
        throw std::runtime_error(oQue.toStdString());
}

// Saves what the widget shows now as FOLDER/NAME.
void Salvar(QWidget &controle, const QDir &pasta, const QString &nome)
{
    QTest::qWait(50);
    Exigir(controle.grab().save(pasta.filePath(nome)), u"não foi possível gravar "_s + nome);
}

template<typename Controle>
Controle *Parte(QWidget &janela, const char *nome)
{
    auto *parte = janela.findChild<Controle *>(QLatin1String(nome));
    Exigir(parte, u"falta o controle "_s + QLatin1String(nome));
    return parte;
}

void Mostrar(QWidget &janela)
{
    janela.show();
    janela.activateWindow();
    Exigir(QTest::qWaitForWindowActive(&janela), u"a janela não apareceu"_s);
}

// The message screen asking, reporting an error with its details, and telling.
void TelasDeMensagem(const QDir &pasta)
{
    const TApresentadorMensagens anterior = InstalarTelaMensagem();
    const auto capturar = [&pasta](const QString &nome,
                              std::function<void(TForm_TelaMensagem &)> antes, const char *fechar) {
        AoAparecer<TForm_TelaMensagem>([=](TForm_TelaMensagem &tela) {
            antes(tela);
            Salvar(tela, pasta, nome);
            QTest::mouseClick(Parte<QPushButton>(tela, fechar), Qt::LeftButton);
        });
    };
    capturar(
        u"tela-mensagem-pergunta.png"_s, [](TForm_TelaMensagem &) {}, "BitBtnNao");
    ExibeMensagem(tmPergunta, Atencao,
        u"O valor da proposta (1.250,00000) é maior que o preço máximo (1.000,00000).\r"
        "Continuar mesmo assim?"_s,
        bmSim | bmNao);
    capturar(
        u"tela-mensagem-erro-detalhes.png"_s,
        [](TForm_TelaMensagem &tela) {
            QTest::mouseClick(Parte<QPushButton>(tela, "Bitbtn_Detalhes"), Qt::LeftButton);
        },
        "BitBtnContinuar");
    ExibeMensagemDetalhada(tmErro, Atencao,
        u"Problemas com a impressão:\r\rExistem problemas com a impressora escolhida\rou a(s) "
        "página(s) escolhida(s) não existe(m)."_s,
        bmContinuar,
        u"A impressora \"HP LaserJet\" não respondeu: o trabalho de impressão foi recusado."_s,
        false);
    capturar(
        u"tela-mensagem-aviso.png"_s, [](TForm_TelaMensagem &) {}, "BitBtnContinuar");
    ExibeAviso(u"Arquivo salvo com sucesso."_s);
    InstalarApresentadorMensagens(anterior);
    for (const char *nome : {"tela-mensagem-pergunta.png", "tela-mensagem-erro-detalhes.png",
             "tela-mensagem-aviso.png"})
        Exigir(QFile::exists(pasta.filePath(QLatin1String(nome))), QLatin1String(nome));
}

// The memo's find and replace windows over a found word, and the memo with the match selected.
void ProcuraNoMemo(const QDir &pasta)
{
    MensagemGravador mensagens;
    QWidget janela;
    TVrtProcuraDlg procura;
    auto *memo = new TVrtDBMemo(&janela);
    auto *outro = new QLineEdit(&janela);
    memo->setGeometry(0, 0, 300, 150);
    outro->setGeometry(0, 160, 300, 24);
    memo->setPlainText(
        u"Aquisição de material de escritório: papel A4, canetas esferográficas azuis e pretas, "
        "grampeadores e papel A3 para a Secretaria de Educação."_s);
    memo->SetProcuraDlg(&procura);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    janela.resize(300, 190);
    Mostrar(janela);
    for (auto [modo, nome] : {std::pair {mpLocalizar, "memo-localizar.png"},
             std::pair {mpSubstituir, "memo-substituir.png"}}) {
        AoAparecer<TFormProcuraSubstitui>([&, nome = nome](TFormProcuraSubstitui &dialogo) {
            Parte<QLineEdit>(dialogo, "ed_Procura")->setText(u"papel"_s);
            Parte<QLineEdit>(dialogo, "ed_Substitui")->setText(u"folhas"_s);
            Parte<QPushButton>(dialogo, "bt_ProcuraSubstitui")->click();
            Salvar(dialogo, pasta, QLatin1String(nome));
            dialogo.reject();
        });
        procura.AbrirProcura(modo, memo);
    }
    Salvar(janela, pasta, u"memo-selecao.png"_s);
}

// The tender's and the price survey's details windows.
void JanelasDeDetalhes(const QDir &pasta)
{
    TTabelasCotacao tabelas;
    tabelas.Abrir();
    TDataSource dsDados;
    dsDados.SetDataSet(&tabelas.mmDados);
    for (const bool licitacao : {true, false}) {
        tabelas.mmDados.EmptyTable();
        PreencherDados(tabelas.mmDados, licitacao ? Licitacao("Pi") : Pesquisa());
        std::unique_ptr<QWidget> janela;
        if (licitacao)
            janela = std::make_unique<TfmDetalhes>(&dsDados);
        else
            janela = std::make_unique<TfmDetalhesPesquisa>(&dsDados);
        janela->show();
        Exigir(QTest::qWaitForWindowExposed(janela.get()), u"a janela não apareceu"_s);
        Salvar(
            *janela, pasta, licitacao ? u"detalhes-licitacao.png"_s : u"detalhes-pesquisa.png"_s);
    }
}

// A simple coat of arms: a blue shield with a golden rim, a white star and a green band.
QImage Brasao()
{
    QImage imagem(140, 150, QImage::Format_RGB32);
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath escudo;
    escudo.moveTo(15, 10);
    escudo.lineTo(125, 10);
    escudo.lineTo(125, 80);
    escudo.quadTo(125, 125, 70, 145);
    escudo.quadTo(15, 125, 15, 80);
    escudo.closeSubpath();
    p.setPen(QPen(QColor(212, 175, 55), 6));
    p.setBrush(QColor(20, 60, 150));
    p.drawPath(escudo);
    p.setClipPath(escudo);
    p.fillRect(QRectF(15, 92, 110, 18), QColor(30, 130, 60));
    p.setClipping(false);
    QPainterPath estrela;
    for (int i = 0; i < 10; ++i) {
        const double raio = i % 2 ? 11 : 27;
        const double angulo = -M_PI / 2 + i * M_PI / 5;
        const QPointF ponto(70 + raio * std::cos(angulo), 52 + raio * std::sin(angulo));
        i ? estrela.lineTo(ponto) : estrela.moveTo(ponto);
    }
    estrela.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(estrela);
    return imagem;
}

// The image control showing a coat of arms as the main window does, then with its buttons.
void ImagemDoBrasao(const QDir &pasta)
{
    MensagemGravador mensagens;
    TMemoryTable tabela(u"mmDados"_s);
    TField &campo = tabela.AdicionarCampo(u"ELIBRASAORELATORIO"_s, ftGraphic);
    tabela.Open();
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    Brasao().save(&buffer, "jpeg", 90);
    tabela.Append();
    campo.SetAsBytes(jpeg);
    tabela.Post();
    TDataSource fonte;
    fonte.SetDataSet(&tabela);
    QWidget janela;
    auto *imagem = new TVrtDBImage(&janela);
    imagem->setGeometry(0, 0, 151, 151);
    imagem->SetDataSource(&fonte);
    imagem->SetDatafield(u"ELIBRASAORELATORIO"_s);
    janela.resize(160, 160);
    // As the main window shows it: display only, in the panel's colour, without a border.
    imagem->SetColor(janela.palette().color(QPalette::Window));
    imagem->SetParentColor(true);
    imagem->SetBorderStyle(bsNone);
    imagem->SetUsaPopupMenu(false);
    janela.show();
    Exigir(QTest::qWaitForWindowExposed(&janela), u"a janela não apareceu"_s);
    Salvar(*imagem, pasta, u"imagem-brasao.png"_s);

    // With its three buttons, the picture stretched to the box.
    imagem->resize(200, 151);
    imagem->SetBorderStyle(bsSingle);
    imagem->SetAutoStrech(true);
    imagem->SetUsaBotaoRelacionar(true);
    imagem->SetUsaBotaoApagar(true);
    imagem->SetUsaBotaoAmpliar(true);
    janela.resize(210, 160);
    Salvar(*imagem, pasta, u"imagem-brasao-botoes.png"_s);
}

// The supplier window opened again after its details were typed and saved.
void JanelaDoFornecedor(const QDir &pasta)
{
    MensagemGravador mensagens;
    TTabelasCotacao tabelas;
    tabelas.Abrir();
    TDataSource dsForneced;
    dsForneced.SetDataSet(&tabelas.mmForneced);
    {
        TfmFornecedor janela(&dsForneced);
        Mostrar(janela);
        DigitarDetalhes(janela);
        QTest::mouseClick(Parte<QPushButton>(janela, "btSalvar"), Qt::LeftButton);
    }
    TfmFornecedor janela(&dsForneced);
    Mostrar(janela);
    Parte<QWidget>(janela, "edRazaoSocial")->setFocus();
    Salvar(janela, pasta, u"fornecedor.png"_s);
}

// Types a text into the grid's cell of a field of the current row, as the supplier does.
void DigitarNaGrade(TvrtDBGrid &grade, const char *campo, const QString &texto)
{
    grade.setFocus();
    for (int i = 0; i < grade.Columns().Count(); ++i) {
        if (grade.Columns().Items(i).Field().FieldName() == QLatin1String(campo))
            grade.SetSelectedIndex(i);
    }
    for (const QChar caractere : texto)
        QTest::keyClick(QApplication::focusWidget(), caractere.toLatin1());
}

// The main window on each sample, after the supplier's number and a first price.
void JanelaPrincipal(const QDir &pasta, const QDir &amostras)
{
    const QStringList arquivos = amostras.entryList({u"*.kvt"_s}, QDir::Files, QDir::Name);
    Exigir(!arquivos.isEmpty(), u"nenhuma amostra em "_s + amostras.path());
    QTemporaryDir copias;
    for (const QString &arquivo : arquivos) {
        MensagemGravador mensagens({int(mrYes)});
        const QString copia = QDir(copias.path()).filePath(arquivo);
        Exigir(QFile::copy(amostras.filePath(arquivo), copia), copia);
        TfmCotacao janela;
        Mostrar(janela);
        janela.EscolherArquivo = [copia] { return copia; };
        Parte<QAction>(janela, "mnAbrir")->trigger();
        auto *edFornecedor = Parte<TVrtDBEdit>(janela, "edFornecedor");
        edFornecedor->setFocus();
        QTest::keyClicks(edFornecedor, u"11222333000181"_s);
        auto *itens = Parte<TvrtDBGrid>(janela, "dbgItens");
        DigitarNaGrade(*itens, "VlCotado", u"12,5"_s);
        itens->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        Salvar(janela, pasta,
            u"janela-principal-"_s + QFileInfo(arquivo).completeBaseName() + u".png"_s);
    }
}

// A tender of 500 items being answered: the item's details below the grid, the find bar on
// "cafe", the progress in the status bar; then the check before sending.
void MuitosItens(const QDir &pasta)
{
    MensagemGravador mensagens({int(mrYes), int(mrYes), int(mrYes)});
    QTemporaryDir copias;
    auto cotacao = LicitacaoGrande(u"Gi"_s, 500);
    cotacao->EntidadeNome = u"Prefeitura Municipal de Santa Rita do Sul"_s;
    TItem &cafe = cotacao->Grupos()->Grupo(1).Itens().Item(36);
    cafe.ObjetoResumidoMatServ = u"Pacote de 500 g, embalagem a vácuo"_s;
    cafe.ObjetoResumidoItem = u"Entrega mensal na sede da Secretaria de Educação"_s;
    const QString arquivo = GravarArquivoCotacao(*cotacao, copias.path(), u"Cotacao"_s);
    TfmCotacao janela;
    Mostrar(janela);
    janela.EscolherArquivo = [arquivo] { return arquivo; };
    Parte<QAction>(janela, "mnAbrir")->trigger();
    auto *itens = Parte<TvrtDBGrid>(janela, "dbgItens");
    for (const QString &preco : {u"10,5"_s, u"11,9"_s, u"14"_s}) {
        DigitarNaGrade(*itens, "VlCotado", preco);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    }
    QTest::keyClick(&janela, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), u"cafe"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
    Salvar(janela, pasta, u"janela-muitos-itens.png"_s);

    AoAparecer<TfmConferirProposta>([&pasta](TfmConferirProposta &conferir) {
        Salvar(conferir, pasta, u"conferir-proposta.png"_s);
        conferir.reject();
    });
    Parte<QAction>(janela, "mnConferirProposta")->trigger();
}

// The preview of a spreadsheet's prices: changes, and the problems that stay out.
void PreviaDaPlanilha(const QDir &pasta)
{
    MensagemGravador mensagens;
    QTemporaryDir copias;
    auto cotacao = LicitacaoTeste(u"Gi"_s);
    const QString arquivo = GravarArquivoCotacao(*cotacao, copias.path(), u"Cotacao"_s);
    const QString planilha = QDir(copias.path()).filePath(u"precos.csv"_s);
    GravarArquivo(planilha,
        "Lote;Item;Valor unitário cotado (R$);Marca;Observação\r\n"
        "1;1;10,5;Acme;Entrega em 5 dias\r\n"
        "1;2;1.234,56;Bic;\r\n"
        "2;1;;Faber-Castell;Caixa com 12\r\n"
        "2;2;31/12/2024;;\r\n"
        "3;1;5;;\r\n"
        "1;1;7;;\r\n");
    TfmCotacao janela;
    Mostrar(janela);
    janela.Abrir(arquivo);
    janela.Planilha().EscolherArquivo = [planilha](bool) { return planilha; };
    janela.Planilha().MostrarPrevia = [&pasta](TfmPreviaPlanilha &previa) {
        previa.show();
        Salvar(previa, pasta, u"previa-planilha.png"_s);
        return false; // looked at, not applied
    };
    Parte<QAction>(janela, "mnImportarPlanilha")->trigger();
}

// The help and the about windows.
void Ajuda(const QDir &pasta)
{
    TfmCotacao principal;
    Mostrar(principal);
    const auto capturar = [&pasta](QWidget &janela, const QString &nome) {
        janela.activateWindow();
        Exigir(QTest::qWaitForWindowExposed(&janela), nome);
        QTest::qWait(150);
        Salvar(janela, pasta, nome);
    };
    capturar(*MostrarComoUsar(principal), u"ajuda-como-usar.png"_s);
    capturar(*MostrarSobre(principal), u"ajuda-sobre.png"_s);
}

// The main window on a sample as it opens on the screen it finds, drawn with the whole screen:
// on a laptop's screen it opens maximized and nothing of it falls outside.
void NaTela(const QDir &pasta, const QString &amostra)
{
    QTemporaryDir copias;
    const QString copia = QDir(copias.path()).filePath(QFileInfo(amostra).fileName());
    Exigir(QFile::copy(amostra, copia), copia);
    TfmCotacao janela;
    Mostrar(janela);
    janela.Abrir(copia);
    QTest::qWait(300);
    QScreen *tela = janela.screen();
    const QString nome = u"tela-%1x%2.png"_s.arg(tela->size().width()).arg(tela->size().height());
    Exigir(tela->grabWindow(0).save(pasta.filePath(nome)), nome);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication aplicacao(argc, argv);
    CarregarTraducoesQt(aplicacao);
    const QStringList argumentos = QCoreApplication::arguments();
    const bool naTela = argumentos.size() == 4 && argumentos.at(1) == QLatin1String("--tela");
    if (argumentos.size() != 3 && !naTela) {
        std::fputs("Uso: capturas PASTA PASTA_DAS_AMOSTRAS\n"
                   "     capturas --tela PASTA AMOSTRA.kvt\n",
            stderr);
        return 2;
    }
    const QDir pasta(argumentos.at(naTela ? 2 : 1));
    try {
        Exigir(QDir().mkpath(pasta.path()), pasta.path());
        if (naTela) {
            NaTela(pasta, argumentos.at(3));
            return 0;
        }
        TelasDeMensagem(pasta);
        ProcuraNoMemo(pasta);
        JanelasDeDetalhes(pasta);
        ImagemDoBrasao(pasta);
        JanelaDoFornecedor(pasta);
        JanelaPrincipal(pasta, QDir(argumentos.at(2)));
        MuitosItens(pasta);
        PreviaDaPlanilha(pasta);
        Ajuda(pasta);
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "capturas: %s\n", erro.what());
        return 1;
    }
    return 0;
}
