#pragma once

#include "app/uFormDetalhesCotacao.h"

// The details of a tender: modality, price registration, judgement form, estimated value,
// object, delivery, the deadline for the envelopes and the opening.
class TfmDetalhes : public TFormDetalhesCotacao
{
    Q_OBJECT

public:
    TfmDetalhes(TDataSource *dsDados, QWidget *parent = nullptr);
};
