#pragma once

// The data edit: a line edit that shows one field of a data source's current row. It shows the
// field's display text while it is not being typed in and its edit text while it has the focus;
// the first keystroke that changes the text puts the row into edit (an empty table into insert),
// and leaving the control writes the typed text into the field before the leaving handler runs.

#include <QLineEdit>

#include <functional>

class QAction;
class QMenu;
class TDataSource;
class TField;
class TFieldDataLink;

class TDBEdit : public QLineEdit
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TDBEdit &sender)>;

    explicit TDBEdit(QWidget *parent = nullptr);
    ~TDBEdit() override;

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *fonte);
    const QString &DataField() const;
    void SetDataField(const QString &nome);
    // The bound field, or null while the table is closed or has no such field.
    TField *Field() const;
    bool ReadOnly() const;
    void SetReadOnly(bool somenteLeitura);

    // Runs when the control is left, after the typed text has been written into the field. A
    // silent abort keeps the focus in the control.
    TNotifyEvent OnExit;

protected:
    TFieldDataLink &DataLink() const { return *m_link; }
    // Puts the row into edit for a change; false when the table refused or cannot change.
    bool IniciarEdicao();
    // Tells the link that the text now differs from the field.
    void MarcarAlterado();

    // The character a keystroke types, control characters included (8 backspace, 13 Enter,
    // 22 paste, 24 cut, 27 escape), or null for a key that types nothing.
    static QChar CaractereDaTecla(const QKeyEvent &tecla);
    // What the control makes of a typed character before the edit takes it; null drops it.
    virtual QChar FiltrarCaractere(QChar caractere);
    // Asked before a change that types no character: delete, cut, undo.
    virtual bool PermiteAlterar();
    virtual void Colar();
    // Runs on leaving, before the typed text is written.
    virtual void AntesDeGravar();

    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void MostrarCampo();
    void AoReligar();
    void GravarCampo();
    void AlterarCom(void (QLineEdit::*alteracao)());
    void EntregarCaractere(QKeyEvent *event, QChar caractere);

    TFieldDataLink *m_link;
    bool m_focado = false;
};
