#pragma once

#include "messages/ExibeMensagens.h"

#include <QDialog>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

// The modal message screen: an image for the kind of message, the text split into lines, the
// answer buttons the caller asks for and, when there is one, a details text that opens below
// the buttons. Created, filled, shown and freed by each message.
class TForm_TelaMensagem : public QDialog
{
    Q_OBJECT

public:
    explicit TForm_TelaMensagem(QWidget *parent = nullptr);

    // Title, image, text lines, details text and buttons of one message.
    void Preencher(const TMensagem &mensagem);
    // Shows the screen modally; answers the modal result of the button that closed it.
    int Exibir(TTipoMensagem tipo, bool detalhesAbertos);

    void done(int resultado) override;
    void reject() override;

protected:
    void showEvent(QShowEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void FormShow();
    bool FormCloseQuery(int resultado) const;
    void FormKeyDown(const QKeyEvent &evento);
    void mm_MensagemEnter();
    void Bitbtn_DetalhesClick();

    QPushButton *CriarBotao(const QString &nome, const QString &texto, int esquerda);
    QPushButton *BotaoDaMarca(int marca) const;
    int MarcasVisiveis() const;
    void PosicionarBotoes();
    // The screen's height, title bar and frame included, short and with the details open.
    int AlturaTela() const;
    void MudarAlturaTela(int altura);
    int AlturaCurta() const;
    int AlturaAlta() const;
    void CentrarNaTela();

    QLabel *img_Informa;
    QLabel *img_Pergunta;
    QLabel *img_Erro;
    QTextEdit *mm_Mensagem;
    // The six answer buttons, in the order of their flags: Sim, Não, Cancelar, Continuar,
    // Todos, Repetir.
    std::array<QPushButton *, 6> m_botoesResposta {};
    QPushButton *Bitbtn_Detalhes;
    QPlainTextEdit *mm_Detalhes;

    TTipoMensagem TipoMensagem = tmInformacao;
    bool DetalhesAbertos = false;
};

// Makes the message screen the presenter of the message functions and gives back the
// presenter it replaces. Each message runs on a fresh screen; a message that cannot be shown
// on it falls back to the standard warning box and answers 0.
TApresentadorMensagens InstalarTelaMensagem();
