#pragma once

// The window "Conferir proposta": the lines of the check before sending, one each. Double-
// clicking a line (or Enter on it) closes the window and names the line to go to.

#include "app/uConferenciaProposta.h"

#include <QDialog>

#include <vector>

class QListWidget;

class TfmConferirProposta : public QDialog
{
    Q_OBJECT

public:
    TfmConferirProposta(std::vector<TPendencia> pendencias, QWidget *parent = nullptr);

    // The line chosen to go to; null when the window was closed without one.
    const TPendencia *Escolhida() const;

private:
    void Escolher();

    std::vector<TPendencia> m_pendencias;
    QListWidget *m_lista;
    int m_escolhida = -1;
};
