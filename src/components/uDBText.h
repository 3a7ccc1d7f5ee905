#pragma once

#include <QLabel>

class TDataSource;
class TFieldDataLink;

// A label that shows one field of the current row of a data source, in the field's display
// text; empty while the table is closed, empty, or has no such field. It never edits. With
// AutoSize on, it resizes itself to every text it shows, keeping its top left corner.
class TDBText : public QLabel
{
    Q_OBJECT

public:
    explicit TDBText(QWidget *parent = nullptr);

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *fonte);
    const QString &DataField() const;
    void SetDataField(const QString &nomeCampo);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool autoSize);

private:
    void Mostrar();

    TFieldDataLink *m_ligacao;
    bool m_autoSize = false;
};
