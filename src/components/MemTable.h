#pragma once

// The in-memory dataset under every table of the program: typed field objects, rows kept in
// memory, a cursor with navigation and editing, filter expressions, bookmarks, before/after
// events with one switch per event step, and data sources through which controls bind.
//
// QtCore only: the data-aware controls live in the UI library and reach a table through a
// TDataSource.

#include "common/uExcecoes.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class TMemoryTable;

// An error of the dataset itself: a write outside edit or insert state, a missing field or
// bookmark, a filter that does not parse, a value beyond its field's range.
class EDatabaseError : public Exception
{
public:
    using Exception::Exception;
};

enum TFieldType {
    ftSmallint, // 16-bit signed integer
    ftInteger, // 32-bit signed integer
    ftString, // text with a maximum length (Size)
    ftFloat,
    ftBoolean,
    ftDate, // day count since 30/12/1899, date part only
    ftTime, // day fraction only
    ftMemo, // unbounded text
    ftGraphic, // unbounded bytes (a picture)
};

enum TFieldKind { fkData, fkCalculated };

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

enum TTipoBloqueio { tbProibe = 0, tbPergunta = 1 };

// One field of a table. Values are read and written through the table's current row (or the
// row a control is drawing, see TMemoryTable::NaLinha).
class TField
{
public:
    // Gives the text to show for the field: DisplayText true for display, false for editing.
    using TGetTextEvent = std::function<void(TField &campo, QString &texto, bool displayText)>;

    TField(TMemoryTable &tabela, const QString &nome, TFieldType tipo, int tamanho,
        TFieldKind tipoCampo);

    TMemoryTable &DataSet() const { return m_tabela; }
    const QString &FieldName() const { return m_nome; }
    // The field's name as a member of its window: table name followed by field name
    // ("mmItensVlCotado").
    QString Name() const;
    TFieldType DataType() const { return m_tipo; }
    TFieldKind FieldKind() const { return m_tipoCampo; }
    int Size() const { return m_tamanho; }
    int Index() const; // position in the table, from 0
    bool IsBlob() const { return m_tipo == ftMemo || m_tipo == ftGraphic; }
    bool IsNumeric() const;

    // Display settings.
    QString DisplayLabel() const; // the field name when no label was set
    void SetDisplayLabel(const QString &rotulo);
    int DisplayWidth() const; // in characters; the field's size or a kind default when unset
    void SetDisplayWidth(int largura);
    Qt::Alignment Alignment() const; // right for numbers, left otherwise, unless set
    void SetAlignment(Qt::Alignment alinhamento);
    bool Visible() const { return m_visivel; }
    void SetVisible(bool visivel);
    bool Required() const { return m_obrigatorio; }
    void SetRequired(bool obrigatorio) { m_obrigatorio = obrigatorio; }
    bool ReadOnly() const { return m_somenteLeitura; }
    void SetReadOnly(bool somenteLeitura) { m_somenteLeitura = somenteLeitura; }
    // Pictures of numeric fields ("#,##0.00;0; ") and of time fields ("hh:mm").
    const QString &DisplayFormat() const { return m_formatoExibicao; }
    void SetDisplayFormat(const QString &formato);
    const QString &EditFormat() const { return m_formatoEdicao; }
    void SetEditFormat(const QString &formato);
    TGetTextEvent OnGetText;

    // Values of the current row. Writing needs the table in edit or insert state (calculated
    // fields may also be written while the table computes them) and raises otherwise; a
    // read-only field refuses writes. Texts are cut to Size and an empty text or picture is
    // null; date fields keep the date, time fields the time of day; a number beyond the
    // field's range raises EDatabaseError, and a real written to an integer field is rounded
    // half away from zero. As text: integers in decimal, reals in the general form ("1234,5"),
    // dates "dd/MM/yyyy", times "HH:mm:ss", booleans "Sim" or "Não"; text read as a number,
    // date or boolean goes through the strict Brazilian conversions. A null field reads as 0,
    // false or the empty text.
    bool IsNull() const;
    void Clear();
    QVariant Value() const;
    void SetValue(const QVariant &valor);
    QString AsString() const;
    void SetAsString(const QString &texto);
    int AsInteger() const;
    void SetAsInteger(int valor);
    double AsFloat() const;
    void SetAsFloat(double valor);
    double AsDateTime() const;
    void SetAsDateTime(double diasDesde1899);
    bool AsBoolean() const;
    void SetAsBoolean(bool valor);
    // A picture's bytes as they are; a text's in the Windows Western code page.
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray &bytes);
    void LoadFromStream(QIODevice &origem); // the rest of the stream, as SetAsBytes
    void SaveToStream(QIODevice &destino) const; // raises EFileError when the write fails

    // The text a control shows: DisplayText through the display format, Text through the edit
    // format; without a format, the field as text. A null field shows empty, a memo "(Texto)"
    // on display and its text for editing, a picture "(Imagem)". OnGetText, when set, receives
    // that text and may replace it.
    QString DisplayText() const;
    QString Text() const;
    // Stores a typed text: parsed by the field's kind with the Brazilian settings (a blank
    // text clears a number, date or boolean); raises EConvertError with a Portuguese message
    // when it does not parse, and for a picture field, whose text is only a placeholder.
    void SetText(const QString &texto);

private:
    friend class TMemoryTable;

    bool IsText() const { return m_tipo == ftString || m_tipo == ftMemo; }
    QVariant Normalizado(const QVariant &valor) const;
    QString TextoPadrao(bool exibicao) const;
    void Alterado();

    TMemoryTable &m_tabela;
    QString m_nome;
    TFieldType m_tipo;
    int m_tamanho;
    TFieldKind m_tipoCampo;
    int m_indice;
    QString m_rotulo;
    int m_largura = 0;
    Qt::Alignment m_alinhamento;
    bool m_alinhamentoDefinido = false;
    bool m_visivel = true;
    bool m_obrigatorio = false;
    bool m_somenteLeitura = false;
    QString m_formatoExibicao;
    QString m_formatoEdicao;
};

// The link between one table and the controls bound to it. Controls connect to its signals;
// a table notifies every data source that points at it. While the table's controls are held
// off (DisableControls) nothing is signalled; releasing them signals dataSetChanged once
// (preceded by activeChanged or stateChanged when those changed meanwhile).
class TDataSource : public QObject
{
    Q_OBJECT

public:
    explicit TDataSource(QObject *parent = nullptr);
    ~TDataSource() override;

    TMemoryTable *DataSet() const { return m_tabela; }
    // Binding another table (or none) signals activeChanged with that table's state.
    void SetDataSet(TMemoryTable *tabela);
    TDataSetState State() const;

Q_SIGNALS:
    void activeChanged(bool ativo); // the table opened or closed
    void dataSetChanged(); // rows added, removed, emptied, filtered: everything may differ
    void dataSetScrolled(); // the current row changed
    void recordChanged(TField *campo); // a field of the current row changed (null: all)
    void stateChanged(TDataSetState estado); // browse, edit, insert (open and close: activeChanged)
    void layoutChanged(); // a field's visibility, label, width or format changed
    // Before a post: controls write their pending text into their fields. A control may raise
    // (EAbort included) to refuse the post.
    void updateData();

private:
    friend class TMemoryTable;

    TMemoryTable *m_tabela = nullptr;
};

// The memory table. Field objects are declared before Open; Open builds the storage from them.
class TMemoryTable : public QObject
{
    Q_OBJECT

public:
    using TDataSetEvent = std::function<void(TMemoryTable &tabela)>;
    // Opaque, stable handle of one row; survives filter changes.
    using TBookmark = quint64;

    explicit TMemoryTable(const QString &nome, QObject *parent = nullptr);
    ~TMemoryTable() override;

    const QString &Nome() const { return m_nome; }

    // Field declaration, while the table is closed. The table owns its fields.
    TField &AdicionarCampo(
        const QString &nome, TFieldType tipo, int tamanho = 0, TFieldKind tipoCampo = fkData);
    int FieldCount() const { return int(m_campos.size()); }
    TField &Fields(int indice) const;
    TField *FindField(const QString &nome) const; // case-insensitive; null when absent
    TField &FieldByName(const QString &nome) const; // raises when absent

    // Stored settings, kept for tables that mirror a database table; nothing reads them.
    QString dataBaseName;
    quint32 HandleComboDataBloqueio = 0;
    bool ControlaBloqueioInsert = false;
    TTipoBloqueio TipoBloqueio = tbProibe;
    QString TableName;

    // Platform settings.
    bool AutoReposition = true; // after a post the cursor stays on the row just posted
    bool AutoCalcFields = true; // OnCalcFields also runs on every field change while editing
    bool RecalcOnIndex = false;

    // One switch per event step: off silences the table's own work at that step as well as
    // the handler.
    bool HabilitaAfterCancel = true;
    bool HabilitaAfterClose = true;
    bool HabilitaAfterDelete = true;
    bool HabilitaAfterEdit = true;
    bool HabilitaAfterInsert = true;
    bool HabilitaAfterOpen = true;
    bool HabilitaAfterPost = true;
    bool HabilitaAfterScroll = true;
    bool HabilitaBeforeCancel = true;
    bool HabilitaBeforeClose = true;
    bool HabilitaBeforeDelete = true;
    bool HabilitaBeforeEdit = true;
    bool HabilitaBeforeInsert = true;
    bool HabilitaBeforeOpen = true;
    bool HabilitaBeforePost = true;
    bool HabilitaOnCalcFields = true;
    bool HabilitaOnNewRecord = true;
    bool HabilitaBeforeScroll = false;

    // Event handlers; each receives the table. A handler that raises (EAbort included)
    // cancels the operation it is part of and the error passes on to whoever moved the table.
    TDataSetEvent AfterCancel, AfterClose, AfterDelete, AfterEdit, AfterInsert, AfterOpen,
        AfterPost, AfterScroll, BeforeCancel, BeforeClose, BeforeDelete, BeforeEdit, BeforeInsert,
        BeforeOpen, BeforePost, BeforeScroll, OnCalcFields, OnNewRecord;

    // Open and close.
    void Open();
    void Close(); // a pending edit or insert is cancelled first
    bool Active() const { return m_estado != dsInactive; }
    void EmptyTable(); // removes every row; the table stays open
    TDataSetState State() const { return m_estado; }
    // A row is being edited or inserted.
    bool Editando() const { return m_estado == dsEdit || m_estado == dsInsert; }

    // Navigation over the rows that pass the active filter.
    void First();
    void Last();
    void Next();
    void MoveBy(int distancia);
    bool Eof() const;
    bool IsEmpty() const;
    int RecordCount() const; // rows that pass the filter
    int RecNo() const; // position of the current row among them, from 1; 0 when empty
    // The current row's place among all rows, in the order they were added, whatever the
    // filter; -1 when there is none.
    int LinhaAtual() const;
    void SetRecNo(int posicao);

    // Editing. Append and Insert fire before insert, before scroll, new record, after insert
    // and after scroll; Post fires update data on the data sources, then before post (a
    // required field without a value then refuses the post), computes the row and fires after
    // post; Cancel and Delete likewise. Edit on an empty table inserts. Moving, filtering or
    // appending while a row is edited posts it when a field was written, cancels it otherwise.
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    // Post when the table is in edit or insert state; nothing otherwise.
    void PostSePendente();
    // A field of the row being edited or inserted was written.
    bool Modified() const { return m_modificado; }

    // Finds the first row whose field starts with (partial) or equals the text, optionally
    // ignoring case, and makes it current. Answers whether it found one.
    bool Locate(const QString &nomeCampo, const QString &texto, bool ignorarCaixa, bool parcial);

    // Filter: an expression and an on/off flag. Expressions are equalities of integer fields
    // joined by "AND" (" CODGRUPO = 2 AND TRATAMENTO = 4"); an empty expression passes every
    // row. Switching the flag or changing the expression while on applies it at once and moves
    // to the first row that passes.
    const QString &Filter() const { return m_filtro; }
    void SetFilter(const QString &expressao);
    bool Filtered() const { return m_filtrado; }
    void SetFiltered(bool filtrado);

    // Bookmarks. Returning to a row that the filter hides raises "Registro não encontrado";
    // returning fires before-scroll and after-scroll. An empty table (or a row being inserted)
    // gives the null bookmark 0, to which returning does nothing.
    TBookmark GetBookmark() const;
    void GotoBookmark(TBookmark marca);

    // Control hold, nested by count. After-scroll still fires while controls are held off.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_controlesDesligados > 0; }

    // Lets a control read the fields of the n-th row it shows (from 0) without moving the
    // cursor and without firing any event: while the function runs, the fields read that row.
    // The rows shown are the visible rows, the row being edited with its typed values, and in
    // insert state the new row at position RecNo() - 1; a position outside them reads empty.
    void NaLinha(int linhaVisivel, const std::function<void()> &leitura) const;
    // How many rows the controls show: RecordCount(), plus the new row in insert state.
    int LinhasExibidas() const;

private:
    friend class TField;
    friend class TDataSource;
    struct Condicao
    {
        int campo;
        qint64 valor;
    };

    void ExigirAberta() const;
    [[noreturn]] void ErroForaDeEdicao() const;
    std::vector<Condicao> Compilar(const QString &expressao) const;
    bool Passa(int linha) const;
    void RecomporVisiveis();
    int PosicaoVisivel(int linha) const; // -1 when hidden
    int LinhaDaMarca(TBookmark marca) const; // -1 when absent
    QVariant *Valores(int linha) { return m_valores.data() + std::size_t(linha) * m_campos.size(); }
    const QVariant *LinhaLida() const;
    void Gravar(TField &campo, QVariant valor);
    void Calcular(QVariant *linha);
    void CalcularAtual();
    void ConfirmarOuCancelar(); // a pending edit or insert is posted when modified, else cancelled
    void Inserir(bool noFim);
    void Rolar(const std::function<bool()> &mover, bool semprePosRolagem);
    void AplicarFiltro(std::vector<Condicao> condicoes, bool emVigor);
    void VoltarParaAnterior();
    void RemoverLinhas();
    void AjustarLimites();
    template<typename Aviso>
    void Avisar(Aviso aviso) const;
    static void Executar(bool habilitado, const TDataSetEvent &evento, TMemoryTable &tabela);

    QString m_nome;
    std::vector<std::unique_ptr<TField>> m_campos;
    TDataSetState m_estado = dsInactive;
    QString m_filtro;
    bool m_filtrado = false;
    int m_controlesDesligados = 0;
    QList<TDataSource *> m_fontes;

    // Rows in table order, FieldCount() values each, and the bookmark of each.
    std::vector<QVariant> m_valores;
    std::vector<TBookmark> m_marcas;
    TBookmark m_proximaMarca = 1;
    bool m_marcasEmOrdem = true;
    // Storage rows that pass the filter in force, ascending; the cursor is a position in it.
    std::vector<int> m_visiveis;
    std::vector<Condicao> m_condicoes;
    bool m_filtroEmVigor = false;
    int m_cursor = -1;
    bool m_eof = true;

    // The row being edited or inserted, where a new row goes and the row it left.
    std::vector<QVariant> m_buffer;
    bool m_modificado = false;
    int m_linhaInsercao = 0;
    int m_posicaoInsercao = 0;
    int m_linhaAnterior = -1;

    // The row fields read while a control draws one (NaLinha) or while fields are computed.
    mutable const QVariant *m_linhaLeitura = nullptr;
    QVariant *m_linhaCalculo = nullptr;

    // What the controls last saw, to tell them what changed while they were held off.
    bool m_ativoAoDesligar = false;
    TDataSetState m_estadoAoDesligar = dsInactive;
};
