#pragma once

// The printed commercial proposal of a tender: the report qrPrincipal laid out in bands over
// the quotation tables (header, supplier, items, lots). It lives for one print job.

#include "report/uBandasRelatorio.h"

#include <QObject>
#include <QString>

class TMemoryTable;
class TTabelasCotacao;

class TfmQRCotacao : public QObject
{
public:
    explicit TfmQRCotacao(TTabelasCotacao &tabelas, QObject *dono = nullptr);
    ~TfmQRCotacao() override;

    TRelatorio qrPrincipal;

    // Texts built while printing.
    QString TituloLicitacao() const; // "Pregão nº 12/2023"
    QString DeclaracaoEdital() const;

private:
    void CriarTitulo();
    void CriarDadosEmpresa(TBandaRelatorio &titulo);
    void CriarListaItens();
    void CriarListaGrupos();
    void CriarAssinatura();

    void qrPrincipalBeforePrint(TRelatorio &relatorio);
    void qrPrincipalAfterPrint(TRelatorio &relatorio);
    void qrtituloBeforePrint(TBandaRelatorio &banda, bool &imprimir);
    void qrChdBandDadosEmpresaBeforePrint(TBandaRelatorio &banda, bool &imprimir);
    void qrchbModalidadeNrAlfaBeforePrint(TBandaRelatorio &banda, bool &imprimir);
    void sdItemListagemBeforePrint(TBandaRelatorio &banda, bool &imprimir);
    void qrchbobservacaoBeforePrint(TBandaRelatorio &banda, bool &imprimir);
    void sdGruposListagemBeforePrint(TBandaRelatorio &banda, bool &imprimir);
    void gfbGrupoTotalBeforePrint(TBandaRelatorio &banda, bool &imprimir);

    QString FormaJulgamento() const;

    TMemoryTable &m_mmDados;
    TMemoryTable &m_mmForneced;
    TMemoryTable &m_mmItens;
    TMemoryTable &m_mmGrupos;

    TBandaRelatorio *qrtitulo = nullptr;
    TBandaRelatorio *qrChdBandDadosEmpresa = nullptr;
    TBandaRelatorio *qrChdBandObjResumido = nullptr;
    TBandaRelatorio *qrchbModalidadeNrAlfa = nullptr;
    TBandaDetalhe *sdItemListagem = nullptr;
    TBandaRelatorio *ghbItemMenu = nullptr;
    TBandaRelatorio *qrchbobservacao = nullptr;
    TBandaRelatorio *chItemBarra = nullptr;
    TBandaDetalhe *sdGruposListagem = nullptr;
    TBandaRelatorio *ghbGruposMenu = nullptr;
    TBandaDetalhe *sdGrupoItemListagem = nullptr;
    TBandaRelatorio *ghbGrupoItemMenu = nullptr;
    TBandaRelatorio *gfbGrupoTotal = nullptr;
    TBandaRelatorio *qrBndAssinatura = nullptr;
    TRotuloRelatorio *qrlbModalidadeNrLicTitulo = nullptr;
    TRotuloRelatorio *qrlbConstantesEdital = nullptr;
    TRotuloRelatorio *qrlbGrupoTotal = nullptr;
    // The value texts of the supplier band that an empty field switches off.
    std::vector<TCampoRelatorio *> m_valoresEmpresa;

    bool m_itemImpresso = false;
    // The item table's filter as the report found it; the lot list narrows it lot by lot.
    QString m_filtroItens;
    bool m_itensFiltrados = false;
};
