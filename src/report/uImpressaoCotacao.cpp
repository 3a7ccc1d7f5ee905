#include "report/uImpressaoCotacao.h"

#include "common/uExcecoes.h"
#include "messages/ExibeMensagens.h"
#include "report/ufmQRCotacao.h"

#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

#include <memory>

namespace {

TExibirDialogoImpressao &DialogoInstalado()
{
    static TExibirDialogoImpressao exibir
        = [](QPrintDialog &dialogo, QPrinter &) { return dialogo.exec(); };
    return exibir;
}

QString &ImpressoraEscolhida()
{
    static QString nome;
    return nome;
}

const char16_t TextoProblemaImpressao[] = u"Problemas com a impressão:\n\n"
                                          u"Existem problemas com a impressora escolhida\n"
                                          u"ou a(s) página(s) escolhida(s) não existe(m).";

// Restores the window's rows and controls however the printing ends.
class TRestauracao
{
public:
    explicit TRestauracao(const std::function<void()> &restaurar)
        : m_restaurar(restaurar)
    { }
    ~TRestauracao()
    {
        if (m_restaurar)
            m_restaurar();
    }
    TRestauracao(const TRestauracao &) = delete;
    TRestauracao &operator=(const TRestauracao &) = delete;

private:
    const std::function<void()> &m_restaurar;
};

void Imprimir(TRelatorio &relatorio, QPrinter &impressora, QWidget *dono)
{
    QProgressDialog progresso(dono);
    progresso.setWindowTitle(QStringLiteral("Imprimindo"));
    progresso.setCancelButton(nullptr);
    progresso.setMinimumDuration(0);
    progresso.setWindowModality(Qt::WindowModal);
    relatorio.AoImprimirPagina = [&progresso](int pagina, int paginas) {
        progresso.setMaximum(paginas);
        progresso.setLabelText(
            QStringLiteral("Imprimindo a página %1 de %2...").arg(pagina).arg(paginas));
        progresso.setValue(pagina - 1);
    };
    relatorio.Imprimir(impressora);
    relatorio.AoImprimirPagina = nullptr;
    if (impressora.printerState() == QPrinter::Error)
        throw EVrtException(QStringLiteral("A impressora recusou o trabalho de impressão."));
}

} // namespace

bool ExisteImpressora()
{
    try {
        return !QPrinterInfo::availablePrinterNames().isEmpty();
    } catch (...) {
        return false;
    }
}

TExibirDialogoImpressao InstalarDialogoImpressao(TExibirDialogoImpressao exibir)
{
    TExibirDialogoImpressao anterior = std::move(DialogoInstalado());
    DialogoInstalado() = std::move(exibir);
    return anterior;
}

QString ImpressoraAtual()
{
    return ImpressoraEscolhida();
}

TMargensLaterais MargensLaterais(QPageSize::PageSizeId papel, QPageLayout::Orientation orientacao)
{
    const bool paisagem = orientacao == QPageLayout::Landscape;
    if (papel == QPageSize::Letter && paisagem)
        return {10, 16};
    if (papel == QPageSize::A4 && paisagem)
        return {20, 20};
    return {10, 10};
}

bool ConfigurarImpressao(int copias, TRelatorio &relatorio, QPrinter &impressora, QWidget *pai)
{
    if (!ExisteImpressora()) {
        ExibeMensagem(tmErro, QStringLiteral("Atenção, Contate Suporte Técnico"),
            QStringLiteral("Não será possível gerar este relatório, pois não existem impressoras "
                           "instaladas. Instale a impressora e tente novamente."),
            bmContinuar);
        return false;
    }
    relatorio.MargemEsquerda = 10;
    relatorio.MargemDireita = 10;
    relatorio.Copias = copias;

    const QString nome = ImpressoraEscolhida().isEmpty() ? QPrinterInfo::defaultPrinterName()
                                                         : ImpressoraEscolhida();
    if (!nome.isEmpty())
        impressora.setPrinterName(nome);
    impressora.setPageSize(QPageSize(relatorio.Papel));
    impressora.setPageOrientation(relatorio.Orientacao);
    impressora.setCopyCount(copias);
    QPrintDialog dialogo(&impressora, pai);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, true);
    const int paginas = int(relatorio.Paginas().size());
    dialogo.setMinMax(1, paginas > 0 ? paginas : 9999);
    if (DialogoInstalado()(dialogo, impressora) != QDialog::Accepted)
        return false;

    ImpressoraEscolhida() = impressora.printerName();
    relatorio.Copias = impressora.copyCount();
    relatorio.Papel = impressora.pageLayout().pageSize().id();
    relatorio.Orientacao = impressora.pageLayout().orientation();
    const bool intervalo = impressora.printRange() == QPrinter::PageRange;
    relatorio.PrimeiraPagina = intervalo ? impressora.fromPage() : 0;
    relatorio.UltimaPagina = intervalo ? impressora.toPage() : 0;
    const TMargensLaterais margens = MargensLaterais(relatorio.Papel, relatorio.Orientacao);
    relatorio.MargemEsquerda = margens.Esquerda;
    relatorio.MargemDireita = margens.Direita;
    return true;
}

void ImprimirCotacao(TTabelasCotacao &tabelas, const TJanelaImpressao &janela, QWidget *dono)
{
    const auto relatorio = std::make_unique<TfmQRCotacao>(tabelas, dono);
    if (janela.SalvarCotacao)
        janela.SalvarCotacao();
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setDocName(QStringLiteral("Proposta comercial"));
    if (!ConfigurarImpressao(1, relatorio->qrPrincipal, impressora, dono))
        return;
    if (janela.GuardarEstado)
        janela.GuardarEstado();
    const TRestauracao restauracao(janela.RestaurarEstado);
    try {
        Imprimir(relatorio->qrPrincipal, impressora, dono);
    } catch (const Exception &e) {
        ExibeMensagemDetalhada(tmErro, QStringLiteral("Atenção"),
            QStringView(TextoProblemaImpressao).toString(), bmContinuar, e.Message(), false);
    } catch (const std::exception &e) {
        ExibeMensagemDetalhada(tmErro, QStringLiteral("Atenção"),
            QStringView(TextoProblemaImpressao).toString(), bmContinuar,
            QString::fromLocal8Bit(e.what()), false);
    }
}

void GerarPropostaEmPdf(TTabelasCotacao &tabelas, const QString &caminho)
{
    TfmQRCotacao relatorio(tabelas);
    QPdfWriter pdf(caminho);
    pdf.setPageSize(QPageSize(TRelatorio::PapelDoProjeto));
    pdf.setCreator(QStringLiteral("Varenta-Cotação"));
    pdf.setTitle(QStringLiteral("Proposta comercial"));
    relatorio.qrPrincipal.Imprimir(pdf);
}
