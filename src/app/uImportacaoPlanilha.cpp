#include "app/uImportacaoPlanilha.h"

#include "app/uAplicacaoPlanilha.h"
#include "app/uConferenciaPlanilha.h"
#include "app/uRegrasCotacao.h"
#include "app/ufmPreviaPlanilha.h"
#include "common/uExcecoes.h"
#include "components/vrtDBGrid.h"
#include "exchange/uColunasPlanilha.h"
#include "exchange/uEscritorPlanilha.h"
#include "exchange/uLeitorPlanilha.h"
#include "messages/ExibeMensagens.h"
#include "model/uTabelasCotacao.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>

namespace {

void MostrarErro(const QString &texto, const EVrtException &erro)
{
    ExibeMensagemDetalhada(
        tmErro, QStringLiteral("Atenção"), texto, bmContinuar, erro.Message(), true);
}

// The columns a pasted block fills: the visible writable ones from the current one on.
std::vector<TField *> ColunasDaColagem(const TvrtDBGrid &grade)
{
    std::vector<TField *> campos;
    for (int i = grade.SelectedIndex(); i >= 0 && i < grade.Columns().Count(); ++i) {
        TField &campo = grade.Columns().Items(i).Field();
        if (!campo.ReadOnly() && campo.FieldKind() == fkData)
            campos.push_back(&campo);
    }
    return campos;
}

std::optional<TColunaPlanilha> ColunaDoCampo(const TField &campo)
{
    const QString nome = campo.FieldName().toUpper();
    if (nome == QLatin1String("VLCOTADO"))
        return TColunaPlanilha::ValorCotado;
    if (nome == QLatin1String("ITEMMARCA"))
        return TColunaPlanilha::Marca;
    if (nome == QLatin1String("ITEMOBSERVACAO"))
        return TColunaPlanilha::Observacao;
    return std::nullopt;
}

} // namespace

TImportacaoPlanilha::TImportacaoPlanilha(
    TRegrasCotacao &regras, std::function<QString()> diretorio, QWidget *janela)
    : QObject(janela)
    , m_regras(regras)
    , m_diretorio(std::move(diretorio))
    , m_janela(janela)
{
    EscolherArquivo = [this](bool salvar) { return DialogoArquivo(salvar); };
    MostrarPrevia = [](TfmPreviaPlanilha &previa) { return previa.exec() == QDialog::Accepted; };
}

QString TImportacaoPlanilha::DialogoArquivo(bool salvar) const
{
    QFileDialog dialogo(m_janela,
        salvar ? QStringLiteral("Exportar planilha") : QStringLiteral("Importar planilha"),
        m_diretorio());
    dialogo.setObjectName(QStringLiteral("DialogPlanilha"));
    if (salvar) {
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setNameFilters({QStringLiteral("Pasta de trabalho do Excel (*.xlsx)"),
            QStringLiteral("CSV separado por ponto e vírgula (*.csv)")});
        dialogo.setDefaultSuffix(QStringLiteral("xlsx"));
    } else {
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setNameFilters({QStringLiteral("Planilhas (*.xlsx *.ods *.csv)"),
            QStringLiteral("Todos os arquivos (*)")});
    }
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return QString();
    return dialogo.selectedFiles().constFirst();
}

void TImportacaoPlanilha::ExportarPlanilha()
{
    ComArquivo(true, QStringLiteral("Não foi possível exportar a planilha."),
        [this](const QString &arquivo) {
            GravarPlanilha(ItensDaCotacao(m_regras.Tabelas()), arquivo);
        });
}

void TImportacaoPlanilha::ImportarPlanilha()
{
    ComArquivo(false, QStringLiteral("Não foi possível importar a planilha."),
        [this](const QString &arquivo) {
            Conferir(ConferirPlanilha(m_regras.Tabelas(), LerPlanilha(arquivo)),
                QStringLiteral("Planilha %1").arg(QFileInfo(arquivo).fileName()));
        });
}

void TImportacaoPlanilha::ComArquivo(
    bool salvar, const QString &falha, const std::function<void(const QString &)> &acao)
{
    // The item being typed goes in first, through its own checks.
    m_regras.ConfirmarItemPendente();
    const QString arquivo = EscolherArquivo(salvar);
    if (arquivo.isEmpty())
        return;
    try {
        acao(arquivo);
    } catch (const EVrtException &erro) {
        MostrarErro(falha, erro);
    }
}

void TImportacaoPlanilha::Colar(TvrtDBGrid &grade, const QString &bloco)
{
    const std::vector<TField *> campos = ColunasDaColagem(grade);
    TMemoryTable *mmItens = grade.DataSet();
    if (campos.empty() || !mmItens || mmItens->IsEmpty())
        return;
    m_regras.ConfirmarItemPendente();
    TTabelasCotacao &t = m_regras.Tabelas();

    // The block becomes a sheet: the item's identity, then the pasted cells under the titles
    // of the columns they fill; its rows count from 1, as the block's lines.
    TPlanilhaLida planilha;
    TLinhaPlanilha cabecalho;
    for (const TColunaPlanilha coluna :
        {TColunaPlanilha::Lote, TColunaPlanilha::Item, TColunaPlanilha::Tratamento})
        cabecalho.Celulas.push_back(CelulaDeTexto(TituloColunaPlanilha(coluna)));
    for (const TField *campo : campos)
        cabecalho.Celulas.push_back(CelulaDeTexto(TituloColunaPlanilha(*ColunaDoCampo(*campo))));
    planilha.Linhas.push_back(cabecalho);

    QStringList linhas = bloco.split(QLatin1Char('\n'));
    for (QString &linha : linhas) {
        if (linha.endsWith(QLatin1Char('\r')))
            linha.chop(1);
    }
    // Spreadsheet programs end the copied block with a line break.
    if (!linhas.isEmpty() && linhas.constLast().isEmpty())
        linhas.removeLast();

    std::vector<TProblemaPlanilha> semItem;
    const int primeira = mmItens->RecNo() - 1;
    for (int i = 0; i < linhas.size(); ++i) {
        TLinhaPlanilha linha;
        linha.Numero = i + 1;
        if (primeira + i >= mmItens->RecordCount()) {
            semItem.push_back({i + 1, QStringLiteral("Não há item visível para esta linha.")});
            continue;
        }
        mmItens->NaLinha(primeira + i, [&] {
            linha.Celulas.push_back(
                CelulaDeTexto(mmItens->FieldByName(QStringLiteral("CodGrupo")).AsString()));
            linha.Celulas.push_back(
                CelulaDeTexto(mmItens->FieldByName(QStringLiteral("Item")).AsString()));
            linha.Celulas.push_back(CelulaDeTexto(t.mmItensTratamento->DisplayText()));
        });
        const QStringList celulas = linhas.at(i).split(QLatin1Char('\t'));
        for (std::size_t c = 0; c < campos.size() && int(c) < celulas.size(); ++c)
            linha.Celulas.push_back(celulas.at(int(c)).isEmpty()
                    ? TCelulaPlanilha()
                    : CelulaDeTexto(celulas.at(int(c))));
        planilha.Linhas.push_back(std::move(linha));
    }
    try {
        TConferenciaPlanilha conferencia = ConferirPlanilha(t, planilha);
        conferencia.Problemas.insert(conferencia.Problemas.end(), semItem.begin(), semItem.end());
        Conferir(conferencia, QStringLiteral("Bloco colado"));
    } catch (const EVrtException &erro) {
        MostrarErro(QStringLiteral("Não foi possível colar o bloco."), erro);
    }
}

void TImportacaoPlanilha::Conferir(const TConferenciaPlanilha &conferencia, const QString &origem)
{
    TfmPreviaPlanilha previa(conferencia, origem, m_janela);
    if (!MostrarPrevia(previa))
        return;
    const std::vector<TAlteracaoItem> aceitas
        = DecidirPrecosAcimaDoMaximo(m_regras, conferencia.Alteracoes);
    AplicarAlteracoes(m_regras, aceitas, m_diretorio());
}

void TImportacaoPlanilha::VigiarColagem(TvrtDBGrid &grade)
{
    grade.installEventFilter(this);
}

bool TImportacaoPlanilha::eventFilter(QObject *objeto, QEvent *evento)
{
    auto *grade = qobject_cast<TvrtDBGrid *>(objeto);
    if (grade && evento->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(evento)->matches(QKeySequence::Paste)
        && !ColunasDaColagem(*grade).empty()) {
        Colar(*grade, QApplication::clipboard()->text());
        return true;
    }
    return QObject::eventFilter(objeto, evento);
}
