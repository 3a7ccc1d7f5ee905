#pragma once

#include "app/uFormDetalhesCotacao.h"

// The details of a price survey: judgement form, object, the deadline and the delivery.
class TfmDetalhesPesquisa : public TFormDetalhesCotacao
{
    Q_OBJECT

public:
    TfmDetalhesPesquisa(TDataSource *dsDados, QWidget *parent = nullptr);
};
