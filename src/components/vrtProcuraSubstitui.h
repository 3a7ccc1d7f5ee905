#pragma once

// Find and replace for memos: TVrtProcuraDlg holds the search state and the context menu and
// may serve several memos; TFormProcuraSubstitui is the modal window in which the user types
// the text to find and its replacement.

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;

enum TModoProcura { mpLocalizar = 0, mpSubstituir = 1 };

class TVrtProcuraDlg : public QObject
{
    Q_OBJECT

public:
    explicit TVrtProcuraDlg(QObject *parent = nullptr);
    ~TVrtProcuraDlg() override;

    QString TextoProcura;
    QString TextoSubstitui;
    bool DiferenciaMaiusculas = false;
    bool SubstituirTodas = false; // a replace-all run is under way
    // In replace mode the next match is only selected, not replaced.
    bool AguardandoSelecao = true;
    int PosicaoEncontrada = 0; // 1-based, in the searched part of the text; 0 when none

    // The memo being served (a data memo or a plain one).
    QPlainTextEdit *Alvo() const { return m_alvo; }

    // Opens the context menu for a memo at the mouse pointer; the enabled states are worked
    // out now.
    void MostrarMenu(QPlainTextEdit *memo);
    // The context menu, once it has been opened.
    QMenu *Menu() const { return m_menu.get(); }
    // Opens the find window for a control, unless the data memo's OnBeforeChange refuses.
    void AbrirProcura(TModoProcura modo, QPlainTextEdit *controle);
    // Continues the last search from the caret, reporting a failed search.
    void ProcurarProxima(QPlainTextEdit *memo);
    void ExecutarProcura(bool doCursor, bool comSubstituicao, bool avisarSeFalhar);

private:
    void CriarMenu();
    void AtualizarMenu();
    void ExibirFormProcura(TModoProcura modo);
    // 1-based position of TextoProcura in the text from position inicio on, 0 when absent.
    int Posicao(const QString &texto, int inicio) const;
    void Substituir();

    QPointer<QPlainTextEdit> m_alvo;
    std::unique_ptr<QMenu> m_menu;
    QAction *m_desfazer = nullptr;
    QAction *m_recortar = nullptr;
    QAction *m_copiar = nullptr;
    QAction *m_colar = nullptr;
    QAction *m_excluir = nullptr;
    QAction *m_localizar = nullptr;
    QAction *m_localizarProxima = nullptr;
    QAction *m_substituir = nullptr;
    QAction *m_selecionarTudo = nullptr;
};

class TFormProcuraSubstitui : public QDialog
{
    Q_OBJECT

public:
    TFormProcuraSubstitui(TModoProcura modo, TVrtProcuraDlg &procura, QWidget *parent = nullptr);

    TModoProcura Modo() const { return m_modo; }
    bool PrimeiraProcura() const { return m_primeiraProcura; }

    void done(int resultado) override;

private:
    void CriarControles();
    void AplicarModo();
    void CopiarEntradas();
    void bt_ProcuraSubstituiClick();
    void bt_SubstituiTodasClick();

    TModoProcura m_modo;
    TVrtProcuraDlg &m_procura;
    bool m_primeiraProcura = true;

    QLabel *Label1 = nullptr;
    QLabel *lb_Substitui = nullptr;
    QLineEdit *ed_Procura = nullptr;
    QLineEdit *ed_Substitui = nullptr;
    QCheckBox *ck_CaseSensitive = nullptr;
    QPushButton *bt_ProcuraSubstitui = nullptr;
    QPushButton *bt_SubstituiTodas = nullptr;
    QPushButton *bt_Cancelar = nullptr;
};
