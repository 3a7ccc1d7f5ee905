#include "components/uDBText.h"

#include "components/MemTable.h"
#include "components/uFieldDataLink.h"

TDBText::TDBText(QWidget *parent)
    : QLabel(parent)
    , m_ligacao(new TFieldDataLink(this))
{
    setTextFormat(Qt::PlainText);
    connect(m_ligacao, &TFieldDataLink::dataChange, this, &TDBText::Mostrar);
}

TDataSource *TDBText::DataSource() const
{
    return m_ligacao->DataSource();
}

void TDBText::SetDataSource(TDataSource *fonte)
{
    m_ligacao->SetDataSource(fonte);
}

const QString &TDBText::DataField() const
{
    return m_ligacao->FieldName();
}

void TDBText::SetDataField(const QString &nomeCampo)
{
    m_ligacao->SetFieldName(nomeCampo);
}

void TDBText::SetAutoSize(bool autoSize)
{
    m_autoSize = autoSize;
    if (m_autoSize)
        adjustSize();
}

void TDBText::Mostrar()
{
    const TField *campo = m_ligacao->Field();
    setText(campo && !campo->DataSet().IsEmpty() ? campo->DisplayText() : QString());
    if (m_autoSize)
        adjustSize();
}
