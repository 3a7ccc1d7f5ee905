#include "components/uFieldDataLink.h"

#include "components/MemTable.h"

#include <QScopedValueRollback>

TFieldDataLink::TFieldDataLink(QObject *parent)
    : QObject(parent)
{ }

void TFieldDataLink::SetDataSource(TDataSource *fonte)
{
    if (m_fonte == fonte)
        return;
    if (m_fonte)
        disconnect(m_fonte, nullptr, this, nullptr);
    m_fonte = fonte;
    if (m_fonte) {
        connect(m_fonte, &TDataSource::activeChanged, this, [this] { Religar(true); });
        connect(m_fonte, &TDataSource::layoutChanged, this, [this] { Religar(false); });
        connect(m_fonte, &TDataSource::dataSetChanged, this, [this] {
            m_modificado = false;
            Q_EMIT dataChange();
        });
        connect(m_fonte, &TDataSource::dataSetScrolled, this, [this] {
            m_modificado = false;
            Q_EMIT dataChange();
        });
        connect(m_fonte, &TDataSource::recordChanged, this, &TFieldDataLink::AoMudarRegistro);
        connect(m_fonte, &TDataSource::stateChanged, this, [this] {
            if (!Editing())
                m_modificado = false;
            Q_EMIT editingChange();
        });
        connect(m_fonte, &TDataSource::updateData, this, &TFieldDataLink::UpdateRecord);
        connect(m_fonte, &QObject::destroyed, this, [this] { Religar(true); });
    }
    Religar(true);
}

void TFieldDataLink::SetFieldName(const QString &nome)
{
    if (m_nomeCampo == nome)
        return;
    m_nomeCampo = nome;
    Religar(true);
}

TMemoryTable *TFieldDataLink::DataSet() const
{
    return m_fonte ? m_fonte->DataSet() : nullptr;
}

bool TFieldDataLink::Editing() const
{
    const TMemoryTable *tabela = DataSet();
    return tabela && tabela->Editando();
}

bool TFieldDataLink::CanModify() const
{
    return !m_somenteLeitura && m_campo && !m_campo->ReadOnly() && m_campo->DataSet().Active();
}

bool TFieldDataLink::Edit()
{
    if (!CanModify())
        return false;
    TMemoryTable &tabela = m_campo->DataSet();
    if (!Editing()) {
        if (tabela.IsEmpty())
            tabela.Append();
        else
            tabela.Edit();
    }
    return Editing();
}

void TFieldDataLink::UpdateRecord()
{
    // Writing the field signals recordChanged, which must not reset the pending state midway.
    if (!m_modificado || m_gravando)
        return;
    const QScopedValueRollback<bool> gravando(m_gravando, true);
    Q_EMIT updateData();
    m_modificado = false;
}

void TFieldDataLink::Religar(bool sempre)
{
    TMemoryTable *tabela = DataSet();
    TField *campo = tabela && tabela->Active() && !m_nomeCampo.isEmpty()
        ? tabela->FindField(m_nomeCampo)
        : nullptr;
    // A change of the fields' layout that leaves this field bound keeps what is being typed.
    if (!sempre && campo == m_campo) {
        if (!m_modificado)
            Q_EMIT dataChange();
        return;
    }
    m_campo = campo;
    m_modificado = false;
    Q_EMIT activeChange();
    Q_EMIT dataChange();
}

void TFieldDataLink::AoMudarRegistro(TField *campo)
{
    if (m_gravando)
        return;
    if (campo == nullptr || campo == m_campo) {
        m_modificado = false;
        Q_EMIT dataChange();
    }
}
