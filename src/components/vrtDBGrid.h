#pragma once

// The data grid: one memory table shown through a data source, one row per row of the table and
// one column per visible field. The table's cursor and the grid's current row are one: moving in
// the grid moves the table, posting the row in edit first, and a refusal of the table (a silent
// abort of one of its handlers) keeps the grid where it was. On top of the plain table view it
// has Enter acting as Tab, one row per wheel notch, leading columns that the cursor cannot enter,
// an incremental search, and blob columns that can show their content.

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QTableView>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QScrollBar;
class TDataSource;
class TDelegadoGrade;
class TSelecaoGrade;
class TField;
class TMemoryTable;
class TModeloTabela;
class TvrtDBGrid;
class TvrtDBGridColumns;

// How a column shows a blob or memo field.
enum TColumnBlobDisplay {
    cmdContent = 0, // the field's content as a string
    cmdUserText = 1, // BlobUserText on every row
    cmdDefaultGrid = 2, // the grid's own placeholder
};

enum TTipoScrollBar { tsVertical = 0, tsHorizontal = 1 };

// One column of the grid, made for one visible field.
class TvrtColumn
{
public:
    TvrtColumn(TvrtDBGridColumns &colecao, TField &campo);

    TField &Field() const { return *m_campo; }
    int Index() const;

    TColumnBlobDisplay BlobDisplay() const { return m_blobDisplay; }
    // Anything but cmdUserText also clears BlobUserText.
    void SetBlobDisplay(TColumnBlobDisplay modo);
    const QString &BlobUserText() const { return m_blobUserText; }
    // Switches BlobDisplay to cmdUserText.
    void SetBlobUserText(const QString &texto);

private:
    friend class TvrtDBGridColumns;

    TvrtDBGridColumns &m_colecao;
    TField *m_campo;
    TColumnBlobDisplay m_blobDisplay = cmdDefaultGrid;
    QString m_blobUserText;
};

// The grid's columns, one per visible field of its table in field order. They are made again
// whenever the table's fields change; a column whose field stays keeps its settings.
class TvrtDBGridColumns : public QObject
{
    Q_OBJECT

public:
    explicit TvrtDBGridColumns(TvrtDBGrid &grade);
    ~TvrtDBGridColumns() override;

    TvrtDBGrid &Grid() const { return m_grade; }
    int Count() const { return int(m_colunas.size()); }
    TvrtColumn &Items(int indice) const;
    void Reconstruir(const std::vector<TField *> &campos);

Q_SIGNALS:
    void colunaAlterada(int indice);

private:
    friend class TvrtColumn;

    TvrtDBGrid &m_grade;
    std::vector<std::unique_ptr<TvrtColumn>> m_colunas;
};

class TvrtDBGrid : public QTableView
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TvrtDBGrid &sender)>;
    using TScrollBarClickEvent
        = std::function<void(TvrtDBGrid &sender, TTipoScrollBar tipo, bool &cancelar)>;

    explicit TvrtDBGrid(QWidget *parent = nullptr);
    ~TvrtDBGrid() override;

    TDataSource *DataSource() const;
    void SetDataSource(TDataSource *fonte);
    // The table, while it is open.
    TMemoryTable *DataSet() const;
    TvrtDBGridColumns &Columns() const { return *m_colunas; }

    // The column of the cursor, counted among the data columns from 0.
    int SelectedIndex() const { return m_colunaSelecionada; }
    void SetSelectedIndex(int coluna);
    TField *SelectedField() const;

    // Leading data columns that Tab, Left and the mouse do not enter; a click on one of them
    // selects its row.
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int quantidade);
    // Typing in a read-only grid searches the selected column. Memory tables cannot search:
    // asking for it on a grid bound to one shows why and leaves the property off.
    bool UsaProcuraIncremental() const { return m_usaProcuraIncremental; }
    void SetUsaProcuraIncremental(bool usa);
    bool UsaEnterComoTab() const { return m_usaEnterComoTab; }
    void SetUsaEnterComoTab(bool usa) { m_usaEnterComoTab = usa; }
    bool ReadOnly() const { return m_somenteLeitura; }
    void SetReadOnly(bool somenteLeitura);

    // Raised after every release of the left mouse button over the grid.
    TNotifyEvent OnClick;
    // Raised before the grid acts on a scroll bar; cancelar true drops the action.
    TScrollBarClickEvent OnScrollBarClick;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyboardSearch(const QString &search) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;
    // A cell whose text does not fit shows the whole text as its tooltip.
    bool viewportEvent(QEvent *event) override;

private:
    friend class TSelecaoGrade;
    friend class TDelegadoGrade;

    // The cell the cursor may go to when something asks for the given one: fixed columns keep
    // the column where it was; another row is reached only once the table has posted and moved.
    // An invalid answer refuses the move.
    QModelIndex DestinoPermitido(const QModelIndex &pedido);
    void IrPara(int linha, int coluna);
    void SeguirTabela();
    void AoRecarregar();
    void AjustarLarguras();

    bool TratarTeclaDeMovimento(const QKeyEvent &event);
    void AlternarEditor();
    void MoverTab(bool adiante);
    void MoverLinha(int distancia);
    void Inserir();
    void CancelarEdicao();
    void SelecionarTextoRecusado();
    void AbrirEditor(QKeyEvent *tecla);
    void TratarCaractere(QKeyEvent *event);
    // The character that a typed one puts into the selected cell whose text keeps `texto`, or
    // null when the cell does not take it; refusals of the field beep.
    QChar FiltrarCaractere(QChar caractere, const QString &texto) const;
    static bool TeclaDaGrade(const QKeyEvent &tecla);
    void AoMudarEstado();
    void ProcurarIncremental(QChar caractere);
    bool PodeEditarCelula(const QModelIndex &index) const;
    bool ColocarEmEdicao();
    void RegistrarEditor(QLineEdit *editor);
    QLineEdit *EditorAberto() const;
    // Writes the cell being typed into its field; may raise (a text that does not convert).
    void GravarEditor();
    // Settles a row being inserted before the cursor leaves it, and answers where the given
    // row of the grid then is.
    int LinhaAposSairDaInsercao(int linha);
    void AoSair(QWidget *foco);
    bool FocoRecusado() const;
    void AcionarBarra(QScrollBar *barra, TTipoScrollBar tipo);
    void Rodar(int passo);

    // Held here rather than as children, so that they go before the view they serve.
    std::unique_ptr<TDelegadoGrade> m_delegado;
    std::unique_ptr<TModeloTabela> m_modelo;
    std::unique_ptr<TSelecaoGrade> m_selecao;
    std::unique_ptr<TvrtDBGridColumns> m_colunas;
    QPointer<QLineEdit> m_editor;
    // The fields, widths and labels the column widths were last made from.
    struct TLarguraColuna
    {
        TField *Campo;
        int Largura;
        QString Rotulo;
        bool operator==(const TLarguraColuna &outra) const;
    };
    std::vector<TLarguraColuna> m_larguras;
    int m_colunaSelecionada = 0;
    int m_fixedCols = 0;
    bool m_usaProcuraIncremental = false;
    bool m_usaEnterComoTab = true;
    bool m_somenteLeitura = false;
    bool m_seguindoTabela = false;
    QString m_prefixoProcura;
    QElapsedTimer m_ultimaTeclaProcura;
};
