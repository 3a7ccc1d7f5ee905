#include "app/ufmDetalhesPesquisa.h"

TfmDetalhesPesquisa::TfmDetalhesPesquisa(TDataSource *dsDados, QWidget *parent)
    : TFormDetalhesCotacao(QStringLiteral("fmDetalhesPesquisa"),
        QStringLiteral("Detalhes da Pesquisa de preços"), dsDados,
        {
            {TLinhaDetalhe::tlTexto, 4, u"Pesquisa de preços:", u"lbPesquisa", u"CODIGOPESQUISA"},
            {TLinhaDetalhe::tlTexto, 24, u"Forma de julgamento:", u"lbFormaJulgamento",
                u"FormaJulgamento"},
            {TLinhaDetalhe::tlObjeto, 44, u"Objeto:", u"vrtDBMmObjeto", u"Objeto"},
            {TLinhaDetalhe::tlSecao, 116, u"Prazo final para entrega"},
            {TLinhaDetalhe::tlTexto, 136, u"Data:", u"lbPrazoEntregaData", u"PrazoEntregaData"},
            {TLinhaDetalhe::tlTexto, 156, u"Hora:", u"lbPrazoEntregaHora", u"PrazoEntregaHora"},
            {TLinhaDetalhe::tlMemo, 176, u"Local:", u"vrtDBMmPrazoEntregaLocal",
                u"PrazoEntregaLocal"},
            {TLinhaDetalhe::tlSecao, 196, u"Forma de entrega"},
            {TLinhaDetalhe::tlTexto, 216, u"Tipo:", u"lbFormaEntregaTipo", u"FormaEntregaTipo"},
            {TLinhaDetalhe::tlMemo, 236, u"Prazo:", u"vrtDBMmEntregaPrazo", u"FormaEntregaPrazo"},
            {TLinhaDetalhe::tlMemo, 256, u"Local:", u"vrtDBMmEntregaLocal", u"FormaEntregaLocal"},
        },
        parent)
{ }
