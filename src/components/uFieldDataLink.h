#pragma once

// The binding of one control to one field of a data source's table: it finds the field by
// name, follows the table (opened, closed, scrolled, edited) and tells the control when to
// show the field again, when editing starts or ends, and when to write its pending text.
// Every single-field control (edits, memo, image) holds one.

#include "components/MemTable.h"

#include <QObject>
#include <QPointer>
#include <QString>

class TFieldDataLink : public QObject
{
    Q_OBJECT

public:
    explicit TFieldDataLink(QObject *parent = nullptr);

    TDataSource *DataSource() const { return m_fonte; }
    void SetDataSource(TDataSource *fonte);
    const QString &FieldName() const { return m_nomeCampo; }
    void SetFieldName(const QString &nome);

    TMemoryTable *DataSet() const;
    // The bound field, or null while the table is closed or has no such field.
    TField *Field() const { return m_campo; }
    // The table is in edit or insert state.
    bool Editing() const;
    // The field may be changed: bound, writable, and the control not read-only.
    bool CanModify() const;
    bool ReadOnly() const { return m_somenteLeitura; }
    void SetReadOnly(bool somenteLeitura) { m_somenteLeitura = somenteLeitura; }

    // Puts the table into edit state (an empty table into insert), as the first keystroke of a
    // control does. Answers whether the table is now editing; handlers may raise.
    bool Edit();
    // The control holds a text that the field does not have yet.
    bool Modified() const { return m_modificado; }
    void Modified(bool modificado) { m_modificado = modificado; }
    // Writes a pending text now (through updateData), as leaving the control does.
    void UpdateRecord();

Q_SIGNALS:
    void dataChange(); // show the field's value again
    void editingChange(); // the table entered or left edit/insert state
    void activeChange(); // the table opened or closed, or the binding changed
    void updateData(); // write the control's pending text into Field()

private:
    void Religar(bool sempre);
    void AoMudarRegistro(TField *campo);

    QPointer<TDataSource> m_fonte;
    QString m_nomeCampo;
    TField *m_campo = nullptr;
    bool m_somenteLeitura = false;
    bool m_modificado = false;
    bool m_gravando = false;
};
