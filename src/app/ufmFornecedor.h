#pragma once

#include "app/uJanelaSecundaria.h"

#include <QStyle>

class QPushButton;
class TDataSource;
class TVrtDBEdit;

// The supplier's company details, printed at the head of the proposal: typed into the main
// window's supplier table, which keeps them from one quotation file to the next, and kept in
// the user's settings from one run to the next. Typing into an empty table creates its one
// record.
class TfmFornecedor : public TJanelaSecundaria
{
    Q_OBJECT

public:
    TfmFornecedor(TDataSource *dsForneced, QWidget *parent = nullptr);

private:
    void CriarEdits();
    QPushButton *CriarBotao(
        const QString &nome, const QString &texto, QStyle::StandardPixmap glifo, int esquerda);

    // Posts what was typed and keeps it in the settings, then closes the window.
    void btSalvarClick();
    // Deletes the record (or the one being typed) and forgets the kept details; nothing when
    // there is none.
    void btLimparClick();

    TDataSource *m_dsForneced;
    QWidget *pnPrincipal;

    TVrtDBEdit *edRazaoSocial;
    TVrtDBEdit *edNomeFantasia;
    TVrtDBEdit *edCPFCNPJ;
    TVrtDBEdit *edEndereco;
    TVrtDBEdit *edCidade;
    TVrtDBEdit *edEstado;
    TVrtDBEdit *edCep;
    TVrtDBEdit *edEmail;
    TVrtDBEdit *edTelefoneEmpresa;
    TVrtDBEdit *edFaxEmpresa;
    TVrtDBEdit *edRepresentante;
    TVrtDBEdit *edTelefoneRepresentante;
    QPushButton *btLimpar;
    QPushButton *btSalvar;
};
