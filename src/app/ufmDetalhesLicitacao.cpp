#include "app/ufmDetalhesLicitacao.h"

TfmDetalhes::TfmDetalhes(TDataSource *dsDados, QWidget *parent)
    : TFormDetalhesCotacao(QStringLiteral("fmDetalhes"), QStringLiteral("Detalhes da Licitação"),
        dsDados,
        {
            {TLinhaDetalhe::tlTexto, 4, u"Licitação:", u"lbLicitacao", u"LICNUMEROALFA"},
            {TLinhaDetalhe::tlTexto, 24, u"Modalidade:", u"lbModalidade", u"LICMODALIDADE"},
            {TLinhaDetalhe::tlTexto, 44, u"Registro de preços:", u"lbRegistroPreco",
                u"LICREGISTROPRECOS"},
            {TLinhaDetalhe::tlTexto, 64, u"Forma de julgamento:", u"lbFormaJulgamento",
                u"FormaJulgamento"},
            {TLinhaDetalhe::tlTexto, 84, u"Valor total estimado:", u"lbValorLicitado",
                u"LICVALORTOTALLICITADO"},
            {TLinhaDetalhe::tlObjeto, 104, u"Objeto:", u"vrtDBMmObjeto", u"Objeto"},
            {TLinhaDetalhe::tlSecao, 185, u"Forma de entrega"},
            {TLinhaDetalhe::tlTexto, 205, u"Tipo:", u"lbFormaEntregaTipo", u"FormaEntregaTipo"},
            {TLinhaDetalhe::tlMemo, 225, u"Prazo:", u"vrtDBMmEntregaPrazo", u"FormaEntregaPrazo"},
            {TLinhaDetalhe::tlMemo, 245, u"Local:", u"vrtDBMmEntregaLocal", u"FormaEntregaLocal"},
            {TLinhaDetalhe::tlSecao, 263, u"Prazo final para entrega dos envelopes"},
            {TLinhaDetalhe::tlTexto, 285, u"Data:", u"lbPrazoEntregaData", u"PrazoEntregaData"},
            {TLinhaDetalhe::tlTexto, 305, u"Hora:", u"lbPrazoEntregaHora", u"PrazoEntregaHora"},
            {TLinhaDetalhe::tlMemo, 325, u"Local:", u"vrtDBMmPrazoEntregaLocal",
                u"PrazoEntregaLocal"},
            {TLinhaDetalhe::tlSecao, 345, u"Abertura"},
            {TLinhaDetalhe::tlTexto, 365, u"Data:", u"lbAberturaData", u"LICDATAABERTURA"},
            {TLinhaDetalhe::tlTexto, 385, u"Hora:", u"lbAberturaHora", u"LICHORAABERTURA"},
            {TLinhaDetalhe::tlMemo, 405, u"Local:", u"vrtDBMmAberturaLocal", u"LICLOCALABERTURA"},
        },
        parent)
{ }
