#pragma once

#include <QFlags>
#include <QString>

#include <functional>

// Kind of a message; it chooses the image of the message screen.
enum TTipoMensagem : quint8 { tmPergunta = 0, tmErro = 1, tmInformacao = 2 };

enum TBotaoMensagem : quint8 {
    bmSim = 1,
    bmNao = 2,
    bmCancelar = 4,
    bmContinuar = 8,
    bmTodos = 16,
    bmRepetir = 32,
};
Q_DECLARE_FLAGS(TBotoesMensagem, TBotaoMensagem)
Q_DECLARE_OPERATORS_FOR_FLAGS(TBotoesMensagem)

// The standard modal results that the message buttons give.
enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8,
};

// The modal result of the button a flag stands for.
int ResultadoDoBotao(TBotaoMensagem botao);

// One message as the message functions hand it to the presenter.
struct TMensagem
{
    TTipoMensagem Tipo = tmInformacao;
    QString Titulo; // already cut to 50 characters
    QString Texto;
    TBotoesMensagem Botoes;
    QString Detalhes;
    bool DetalhesAbertos = false;
    bool TestaManutencao = false; // only the detailed call looks for the maintenance text
};

// Shows one message and answers the modal result of the button that closed it, or 0 when
// showing failed. The program installs its message screen, kvt a printer to standard error,
// tests a scripted recorder.
using TApresentadorMensagens = std::function<int(const TMensagem &)>;

// Installs a presenter and gives back the one it replaces.
TApresentadorMensagens InstalarApresentadorMensagens(TApresentadorMensagens apresentador);

int ExibeMensagemDetalhada(TTipoMensagem tipo, const QString &titulo, const QString &texto,
    TBotoesMensagem botoes, const QString &detalhes, bool detalhesAbertos);
int ExibeMensagem(
    TTipoMensagem tipo, const QString &titulo, const QString &texto, TBotoesMensagem botoes);
int ExibeInformacao(const QString &texto, TBotoesMensagem botoes, const QString &detalhes);
void ExibeAviso(const QString &texto);
