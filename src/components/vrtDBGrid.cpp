#include "components/vrtDBGrid.h"

#include "common/uConfiguracaoRegional.h"
#include "components/MemTable.h"
#include "components/uBip.h"
#include "components/uCaractereCampo.h"
#include "components/uExecucaoProtegida.h"
#include "components/uFoco.h"
#include "components/uModeloTabela.h"
#include "messages/ExibeMensagens.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>

#include <algorithm>

namespace {

// A search key that comes later than this after the previous one starts a new search.
constexpr qint64 PausaProcuraMs = 864;

} // namespace

// ---------------------------------------------------------------------------------------------
// Columns

TvrtColumn::TvrtColumn(TvrtDBGridColumns &colecao, TField &campo)
    : m_colecao(colecao)
    , m_campo(&campo)
{ }

int TvrtColumn::Index() const
{
    for (int i = 0; i < m_colecao.Count(); ++i) {
        if (&m_colecao.Items(i) == this)
            return i;
    }
    return -1;
}

void TvrtColumn::SetBlobDisplay(TColumnBlobDisplay modo)
{
    m_blobDisplay = modo;
    if (modo != cmdUserText)
        m_blobUserText.clear();
    Q_EMIT m_colecao.colunaAlterada(Index());
}

void TvrtColumn::SetBlobUserText(const QString &texto)
{
    m_blobUserText = texto;
    m_blobDisplay = cmdUserText;
    Q_EMIT m_colecao.colunaAlterada(Index());
}

TvrtDBGridColumns::TvrtDBGridColumns(TvrtDBGrid &grade)
    : m_grade(grade)
{ }

TvrtDBGridColumns::~TvrtDBGridColumns() = default;

TvrtColumn &TvrtDBGridColumns::Items(int indice) const
{
    return *m_colunas.at(size_t(indice));
}

void TvrtDBGridColumns::Reconstruir(const std::vector<TField *> &campos)
{
    std::vector<std::unique_ptr<TvrtColumn>> novas;
    novas.reserve(campos.size());
    for (TField *campo : campos) {
        auto mesma = std::find_if(m_colunas.begin(), m_colunas.end(),
            [&](const auto &coluna) { return coluna && coluna->m_campo == campo; });
        if (mesma != m_colunas.end())
            novas.push_back(std::move(*mesma));
        else
            novas.push_back(std::make_unique<TvrtColumn>(*this, *campo));
    }
    m_colunas = std::move(novas);
}

// ---------------------------------------------------------------------------------------------
// The gate through which every change of the current cell passes, whoever asks for it: keys,
// clicks, drags, the header of rows.

class TSelecaoGrade : public QItemSelectionModel
{
public:
    TSelecaoGrade(QAbstractItemModel *modelo, TvrtDBGrid &grade)
        : QItemSelectionModel(modelo)
        , m_grade(grade)
    { }

    void setCurrentIndex(
        const QModelIndex &index, QItemSelectionModel::SelectionFlags command) override
    {
        const QModelIndex destino = m_grade.DestinoPermitido(index);
        if (index.isValid() && !destino.isValid())
            return;
        QItemSelectionModel::setCurrentIndex(destino, command);
    }

private:
    TvrtDBGrid &m_grade;
};

// ---------------------------------------------------------------------------------------------
// Cells: how they are painted and the line editor in which one is typed. The editor shows the
// field's edit text; the grid itself writes what was typed, so that it can refuse to move on
// when the text does not convert.

// The editor's text that a typed character would not replace.
QString TextoQueFica(const QLineEdit &editor)
{
    QString texto = editor.text();
    if (editor.hasSelectedText())
        texto.remove(editor.selectionStart(), editor.selectedText().size());
    return texto;
}

class TDelegadoGrade : public QStyledItemDelegate
{
public:
    explicit TDelegadoGrade(TvrtDBGrid &grade)
        : m_grade(grade)
    { }

    QWidget *createEditor(
        QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        const TField *campo = m_grade.m_modelo->Campo(index.column());
        if (campo && campo->DataType() == ftString && campo->Size() > 0)
            editor->setMaxLength(campo->Size());
        m_grade.RegistrarEditor(editor);
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *linha = static_cast<QLineEdit *>(editor);
        if (!linha->isModified())
            linha->setText(index.data(TModeloTabela::TextoEdicaoRole).toString());
    }

    void setModelData(QWidget *, QAbstractItemModel *, const QModelIndex &) const override { }

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const int coluna = index.column();
        if (coluna < m_grade.FixedCols()) {
            option->backgroundBrush = m_grade.palette().button();
            option->palette.setBrush(QPalette::Text, m_grade.palette().buttonText());
        } else if (index == m_grade.currentIndex() && m_grade.hasFocus()) {
            option->state |= QStyle::State_Selected;
        }
        if (coluna >= m_grade.Columns().Count())
            return;
        const TvrtColumn &dados = m_grade.Columns().Items(coluna);
        if (!dados.Field().IsBlob())
            return;
        switch (dados.BlobDisplay()) {
        case cmdContent:
            option->text = index.data(TModeloTabela::TextoRole).toString();
            break;
        case cmdUserText:
            option->text = dados.BlobUserText();
            break;
        case cmdDefaultGrid:
            break;
        }
    }

    // Keys that move the cursor go to the grid; characters the cell does not take are dropped.
    // The base filter is left out on purpose: it would write and close the editor on its own.
    bool eventFilter(QObject *objeto, QEvent *event) override
    {
        auto *editor = qobject_cast<QLineEdit *>(objeto);
        if (!editor)
            return QStyledItemDelegate::eventFilter(objeto, event);
        switch (event->type()) {
        case QEvent::ShortcutOverride:
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
                event->accept();
                return true;
            }
            return false;
        case QEvent::KeyPress: {
            auto *tecla = static_cast<QKeyEvent *>(event);
            if (TvrtDBGrid::TeclaDaGrade(*tecla)) {
                m_grade.keyPressEvent(tecla);
                return true;
            }
            const QString texto = tecla->text();
            if (texto.isEmpty() || texto.at(0) < u' ')
                return false;
            const QChar caractere = m_grade.FiltrarCaractere(texto.at(0), TextoQueFica(*editor));
            if (caractere == texto.at(0))
                return false;
            if (!caractere.isNull()) {
                QKeyEvent substituta(QEvent::KeyPress, Qt::Key_unknown, tecla->modifiers(),
                    QString(caractere), tecla->isAutoRepeat());
                QCoreApplication::sendEvent(editor, &substituta);
            }
            return true;
        }
        case QEvent::FocusOut:
            if (editor == m_grade.m_editor
                && !FocoApenasEmprestado(static_cast<QFocusEvent *>(event)->reason()))
                m_grade.AoSair(QApplication::focusWidget());
            return false;
        default:
            return false;
        }
    }

private:
    TvrtDBGrid &m_grade;
};

// ---------------------------------------------------------------------------------------------
// The grid

bool TvrtDBGrid::TLarguraColuna::operator==(const TLarguraColuna &outra) const
{
    return Campo == outra.Campo && Largura == outra.Largura && Rotulo == outra.Rotulo;
}

TvrtDBGrid::TvrtDBGrid(QWidget *parent)
    : QTableView(parent)
    , m_delegado(std::make_unique<TDelegadoGrade>(*this))
    , m_modelo(std::make_unique<TModeloTabela>())
    , m_colunas(std::make_unique<TvrtDBGridColumns>(*this))
{
    setModel(m_modelo.get());
    QItemSelectionModel *padrao = selectionModel();
    m_selecao = std::make_unique<TSelecaoGrade>(m_modelo.get(), *this);
    setSelectionModel(m_selecao.get());
    delete padrao;
    setItemDelegate(m_delegado.get());

    setSelectionMode(NoSelection);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setFocusPolicy(Qt::StrongFocus);

    const int alturaLinha = fontMetrics().height() + 6;
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(alturaLinha);
    verticalHeader()->setMinimumSectionSize(alturaLinha);
    verticalHeader()->setFixedWidth(fontMetrics().horizontalAdvance(QChar(0x25B6)) + 8);
    verticalHeader()->setSectionsClickable(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->viewport()->installEventFilter(this);
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);

    connect(m_modelo.get(), &QAbstractItemModel::modelReset, this, &TvrtDBGrid::AoRecarregar);
    connect(m_modelo.get(), &TModeloTabela::linhaAtualMudou, this, &TvrtDBGrid::SeguirTabela);
    connect(m_colunas.get(), &TvrtDBGridColumns::colunaAlterada, this, [this](int coluna) {
        viewport()->update(
            QRect(columnViewportPosition(coluna), 0, columnWidth(coluna), viewport()->height()));
    });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
        [this] { AcionarBarra(verticalScrollBar(), tsVertical); });
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
        [this] { AcionarBarra(horizontalScrollBar(), tsHorizontal); });
}

TvrtDBGrid::~TvrtDBGrid() = default;

TDataSource *TvrtDBGrid::DataSource() const
{
    return m_modelo->DataSource();
}

void TvrtDBGrid::SetDataSource(TDataSource *fonte)
{
    if (TDataSource *anterior = DataSource())
        disconnect(anterior, nullptr, this, nullptr);
    if (fonte) {
        // Whoever posts the table gets the text still being typed in a cell first.
        connect(fonte, &TDataSource::updateData, this, &TvrtDBGrid::GravarEditor);
        connect(fonte, &TDataSource::stateChanged, this, &TvrtDBGrid::AoMudarEstado);
    }
    m_modelo->SetDataSource(fonte);
}

TMemoryTable *TvrtDBGrid::DataSet() const
{
    return m_modelo->DataSet();
}

TField *TvrtDBGrid::SelectedField() const
{
    return m_modelo->Campo(m_colunaSelecionada);
}

void TvrtDBGrid::SetSelectedIndex(int coluna)
{
    const int ultima = m_modelo->columnCount() - 1;
    if (ultima < 0)
        return;
    coluna = std::clamp(coluna, 0, ultima);
    if (m_modelo->LinhaAtual() < 0)
        m_colunaSelecionada = coluna;
    else
        IrPara(m_modelo->LinhaAtual(), coluna);
}

void TvrtDBGrid::SetFixedCols(int quantidade)
{
    const int indicador = verticalHeader()->isHidden() ? 0 : 1;
    int fixas = std::max(quantidade, 0) + indicador;
    const int colunasGrade = m_modelo->columnCount() + indicador;
    if (DataSet() && colunasGrade > indicador + 1)
        fixas = std::min(fixas, colunasGrade - 1);
    m_fixedCols = fixas - indicador;
    if (m_colunaSelecionada < m_fixedCols && m_fixedCols < m_modelo->columnCount())
        SetSelectedIndex(m_fixedCols);
    viewport()->update();
}

void TvrtDBGrid::SetUsaProcuraIncremental(bool usa)
{
    if (usa == m_usaProcuraIncremental)
        return;
    m_usaProcuraIncremental = usa;
    if (usa && DataSource() && DataSource()->DataSet()) {
        ExibeMensagem(tmInformacao, QStringLiteral("Atenção"),
            QStringLiteral("Procura incremental não funciona com MemoryTable."), bmContinuar);
        m_usaProcuraIncremental = false;
    }
}

void TvrtDBGrid::SetReadOnly(bool somenteLeitura)
{
    m_somenteLeitura = somenteLeitura;
    if (somenteLeitura && EditorAberto())
        closeEditor(m_editor, QAbstractItemDelegate::RevertModelCache);
}

// ---------------------------------------------------------------------------------------------
// Following the table

QModelIndex TvrtDBGrid::DestinoPermitido(const QModelIndex &pedido)
{
    TMemoryTable *tabela = DataSet();
    if (m_seguindoTabela || !pedido.isValid() || !tabela)
        return pedido;
    int coluna = pedido.column();
    if (coluna < m_fixedCols)
        coluna = std::max(m_colunaSelecionada, std::min(m_fixedCols, m_modelo->columnCount() - 1));
    if (pedido.row() != m_modelo->LinhaAtual()) {
        const bool moveu = ExecutarProtegido([&] {
            GravarEditor();
            tabela->SetRecNo(LinhaAposSairDaInsercao(pedido.row()) + 1);
        });
        if (!moveu)
            SelecionarTextoRecusado();
        // The table's handlers may have moved it elsewhere, or refilled the grid.
        if (!moveu || m_modelo->LinhaAtual() < 0)
            return {};
        return m_modelo->index(m_modelo->LinhaAtual(), coluna);
    }
    if (coluna != m_colunaSelecionada && !ExecutarProtegido([&] { GravarEditor(); }))
        return {};
    return m_modelo->index(pedido.row(), coluna);
}

void TvrtDBGrid::IrPara(int linha, int coluna)
{
    const int colunas = m_modelo->columnCount();
    if (linha < 0 || linha >= m_modelo->rowCount() || colunas == 0)
        return;
    selectionModel()->setCurrentIndex(
        m_modelo->index(linha, std::clamp(coluna, 0, colunas - 1)), QItemSelectionModel::NoUpdate);
}

void TvrtDBGrid::SeguirTabela()
{
    const int linha = m_modelo->LinhaAtual();
    const int colunas = m_modelo->columnCount();
    if (linha < 0 || colunas == 0)
        return;
    const int coluna = std::clamp(std::max(m_colunaSelecionada, m_fixedCols), 0, colunas - 1);
    QScopedValueRollback<bool> seguindo(m_seguindoTabela, true);
    selectionModel()->setCurrentIndex(
        m_modelo->index(linha, coluna), QItemSelectionModel::NoUpdate);
}

void TvrtDBGrid::AoRecarregar()
{
    m_editor.clear();
    std::vector<TField *> campos;
    for (int i = 0; i < m_modelo->columnCount(); ++i)
        campos.push_back(m_modelo->Campo(i));
    m_colunas->Reconstruir(campos);
    AjustarLarguras();
    SetFixedCols(m_fixedCols);
}

void TvrtDBGrid::AjustarLarguras()
{
    // Only a change of the fields' layout sizes the columns again: the user's own widths stay
    // while the rows are refilled.
    std::vector<TLarguraColuna> larguras;
    for (int i = 0; i < m_modelo->columnCount(); ++i) {
        TField *campo = m_modelo->Campo(i);
        larguras.push_back({campo, campo->DisplayWidth(), campo->DisplayLabel()});
    }
    if (larguras == m_larguras)
        return;
    m_larguras = std::move(larguras);
    const int caractere = fontMetrics().averageCharWidth();
    const QFontMetrics titulos = horizontalHeader()->fontMetrics();
    for (int i = 0; i < int(m_larguras.size()); ++i) {
        const TLarguraColuna &coluna = m_larguras[size_t(i)];
        const int largura
            = std::max(coluna.Largura * caractere, titulos.horizontalAdvance(coluna.Rotulo));
        setColumnWidth(i, largura + 4);
    }
}

void TvrtDBGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid())
        m_colunaSelecionada = current.column();
    update(previous);
    update(current);
}

void TvrtDBGrid::AoMudarEstado()
{
    const TMemoryTable *tabela = DataSet();
    // Posted or cancelled by anyone: the field now holds what the cell shows.
    if ((!tabela || !tabela->Editando()) && EditorAberto())
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

// ---------------------------------------------------------------------------------------------
// Editing

bool TvrtDBGrid::PodeEditarCelula(const QModelIndex &index) const
{
    return !m_somenteLeitura && index.isValid() && index == currentIndex()
        && index.column() >= m_fixedCols && (m_modelo->flags(index) & Qt::ItemIsEditable);
}

bool TvrtDBGrid::ColocarEmEdicao()
{
    TMemoryTable *tabela = DataSet();
    if (!tabela)
        return false;
    if (tabela->Editando())
        return true;
    // Edit inserts the first row of an empty table.
    return ExecutarProtegido([&] { tabela->Edit(); }) && tabela->Editando();
}

bool TvrtDBGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool abreEditor = (editTriggers() & trigger).toInt() != 0 && !EditorAberto();
    if (abreEditor && (!PodeEditarCelula(index) || !ColocarEmEdicao()))
        return false;
    return QTableView::edit(index, trigger, event);
}

void TvrtDBGrid::RegistrarEditor(QLineEdit *editor)
{
    m_editor = editor;
}

QLineEdit *TvrtDBGrid::EditorAberto() const
{
    return state() == EditingState ? m_editor.data() : nullptr;
}

void TvrtDBGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == m_editor)
        m_editor.clear();
    QTableView::closeEditor(editor, hint);
}

void TvrtDBGrid::GravarEditor()
{
    QLineEdit *editor = EditorAberto();
    TMemoryTable *tabela = DataSet();
    TField *campo = m_modelo->Campo(currentIndex().column());
    if (!editor || !editor->isModified() || !tabela || !campo)
        return;
    if (!tabela->Editando())
        tabela->Edit();
    campo->SetText(editor->text());
    editor->setModified(false);
}

int TvrtDBGrid::LinhaAposSairDaInsercao(int linha)
{
    // The table moves on from an edited row by itself (posting it when a field was written,
    // dropping it otherwise), but not from a row being inserted.
    TMemoryTable *tabela = DataSet();
    if (!tabela || tabela->State() != dsInsert)
        return linha;
    const int nova = tabela->RecNo() - 1;
    if (tabela->Modified()) {
        tabela->Post();
        return linha;
    }
    tabela->Cancel();
    return linha > nova ? linha - 1 : linha;
}

void TvrtDBGrid::AbrirEditor(QKeyEvent *tecla)
{
    edit(currentIndex(), tecla ? AnyKeyPressed : EditKeyPressed, tecla);
}

void TvrtDBGrid::Inserir()
{
    TMemoryTable *tabela = DataSet();
    if (!tabela || m_somenteLeitura || (tabela->State() == dsInsert && !tabela->Modified()))
        return;
    // Appending posts the row being edited first; a before-insert refusal keeps it.
    const bool inserido = ExecutarProtegido([&] {
        GravarEditor();
        LinhaAposSairDaInsercao(0);
        tabela->Append();
    });
    if (!inserido)
        SelecionarTextoRecusado();
}

void TvrtDBGrid::SelecionarTextoRecusado()
{
    // The correction replaces the refused text instead of running on from its end.
    if (QLineEdit *editor = EditorAberto())
        editor->selectAll();
}

void TvrtDBGrid::CancelarEdicao()
{
    QLineEdit *editor = EditorAberto();
    if (editor && editor->isModified()) {
        closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        return;
    }
    if (editor)
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    TMemoryTable *tabela = DataSet();
    if (tabela && tabela->Editando())
        ExecutarProtegido([&] { tabela->Cancel(); });
}

void TvrtDBGrid::AoSair(QWidget *foco)
{
    if (foco && (foco == this || isAncestorOf(foco)))
        return;
    QLineEdit *editor = EditorAberto();
    const bool saiu = ExecutarProtegido([&] {
        GravarEditor();
        TMemoryTable *tabela = DataSet();
        // A new row nobody typed in is dropped when the grid is left.
        if (tabela && tabela->State() == dsInsert && !tabela->Modified())
            tabela->Cancel();
    });
    if (!saiu) {
        if (editor)
            editor->setFocus();
        else
            setFocus();
        return;
    }
    if (EditorAberto())
        closeEditor(m_editor, QAbstractItemDelegate::NoHint);
}

bool TvrtDBGrid::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTableView::viewportEvent(event);
    const auto *ajuda = static_cast<QHelpEvent *>(event);
    const QModelIndex celula = indexAt(ajuda->pos());
    const QString texto = celula.data(Qt::DisplayRole).toString();
    const QRect caixa = visualRect(celula);
    // The room the delegate leaves for the text inside the cell's margins.
    const int margem = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1);
    if (celula.isValid() && fontMetrics().horizontalAdvance(texto) > caixa.width() - margem)
        QToolTip::showText(ajuda->globalPos(), texto, viewport(), caixa);
    else
        QToolTip::hideText();
    return true;
}

void TvrtDBGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    if (!FocoApenasEmprestado(event->reason()))
        AoSair(QApplication::focusWidget());
}

// ---------------------------------------------------------------------------------------------
// Keys

bool TvrtDBGrid::TeclaDaGrade(const QKeyEvent &tecla)
{
    switch (tecla.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Insert:
        return tecla.modifiers() == Qt::NoModifier;
    case Qt::Key_Delete:
        return tecla.modifiers().testFlag(Qt::ControlModifier);
    default:
        return false;
    }
}

QChar TvrtDBGrid::FiltrarCaractere(QChar caractere, const QString &texto) const
{
    const TField *campo = SelectedField();
    if (!campo)
        return caractere;
    if (campo->DataType() == ftFloat) {
        // A real cell never receives an exponent letter.
        if (caractere == u'E' || caractere == u'e')
            return {};
        // The decimal key: "." stands for the separator too (the numeric keypad types it on
        // many keyboards), and a number takes one separator.
        const QChar separador = FormatoBrasileiro().DecimalSeparator;
        if (caractere == u'.' || caractere == separador) {
            if (!texto.contains(separador))
                return separador;
            Bip();
            return {};
        }
    }
    if (!CampoAceitaCaractere(*campo, caractere)) {
        Bip();
        return {};
    }
    return caractere;
}

void TvrtDBGrid::keyPressEvent(QKeyEvent *event)
{
    const int tecla = event->key();
    if (tecla == Qt::Key_Left || tecla == Qt::Key_Right || tecla == Qt::Key_Up
        || tecla == Qt::Key_Down)
        m_prefixoProcura.clear();
    if (TratarTeclaDeMovimento(*event))
        event->accept();
    else
        TratarCaractere(event);
}

bool TvrtDBGrid::TratarTeclaDeMovimento(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modificadores = event.modifiers();
    const bool ctrl = modificadores.testFlag(Qt::ControlModifier);
    const int linha = m_modelo->LinhaAtual();
    switch (event.key()) {
    case Qt::Key_Tab:
        if (modificadores & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        MoverTab(!modificadores.testFlag(Qt::ShiftModifier));
        return true;
    case Qt::Key_Backtab:
        MoverTab(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_usaEnterComoTab)
            MoverTab(true);
        else
            AlternarEditor();
        return true;
    case Qt::Key_Home:
        if (ctrl)
            IrPara(0, m_colunaSelecionada);
        else
            IrPara(linha, m_fixedCols);
        return true;
    case Qt::Key_End:
        // The last column: the table may hold hidden fields beyond it.
        if (ctrl)
            IrPara(m_modelo->rowCount() - 1, m_colunaSelecionada);
        else
            IrPara(linha, m_modelo->columnCount() - 1);
        return true;
    case Qt::Key_Left:
        if (m_colunaSelecionada > m_fixedCols)
            IrPara(linha, m_colunaSelecionada - 1);
        return true;
    case Qt::Key_Right:
        IrPara(linha, m_colunaSelecionada + 1);
        return true;
    case Qt::Key_Up:
        MoverLinha(-1);
        return true;
    case Qt::Key_Down:
        if (linha >= 0 && linha == m_modelo->rowCount() - 1)
            Inserir();
        else
            MoverLinha(1);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const int pagina
            = std::max(1, viewport()->height() / verticalHeader()->defaultSectionSize());
        MoverLinha(event.key() == Qt::Key_PageUp ? -pagina : pagina);
        return true;
    }
    case Qt::Key_Insert:
        if (modificadores == Qt::NoModifier)
            Inserir();
        return true;
    case Qt::Key_Delete:
        // The grid never deletes a row.
        return true;
    case Qt::Key_Escape:
        CancelarEdicao();
        return true;
    case Qt::Key_F2:
        AbrirEditor(nullptr);
        return true;
    default:
        return false;
    }
}

void TvrtDBGrid::AlternarEditor()
{
    QLineEdit *editor = EditorAberto();
    if (!editor)
        AbrirEditor(nullptr);
    else if (ExecutarProtegido([&] { GravarEditor(); }))
        closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TvrtDBGrid::TratarCaractere(QKeyEvent *event)
{
    const QString texto = event->text();
    const bool modificada
        = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (texto.isEmpty() || texto.at(0) < u' ' || modificada) {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
    if (QLineEdit *editor = EditorAberto()) {
        QCoreApplication::sendEvent(editor, event);
        return;
    }
    const QChar caractere = texto.at(0);
    // The first character replaces the cell's text.
    if (FiltrarCaractere(caractere, QString()).isNull())
        return;
    if (!m_somenteLeitura) {
        // Typing into an empty grid starts its first row.
        const TMemoryTable *tabela = DataSet();
        if (!currentIndex().isValid() && tabela && tabela->IsEmpty() && !ColocarEmEdicao())
            return;
        if (PodeEditarCelula(currentIndex()))
            AbrirEditor(event);
    } else if (m_usaProcuraIncremental) {
        ProcurarIncremental(caractere);
    }
}

void TvrtDBGrid::ProcurarIncremental(QChar caractere)
{
    if (!m_ultimaTeclaProcura.isValid() || m_ultimaTeclaProcura.elapsed() > PausaProcuraMs)
        m_prefixoProcura.clear();
    m_prefixoProcura += caractere;
    TMemoryTable *tabela = DataSet();
    if (const TField *campo = SelectedField(); campo && tabela)
        ExecutarProtegido(
            [&] { tabela->Locate(campo->FieldName(), m_prefixoProcura, true, true); });
    m_ultimaTeclaProcura.start();
}

void TvrtDBGrid::keyboardSearch(const QString &)
{
    // The view's own search would move the cursor past the table; the grid searches itself.
}

void TvrtDBGrid::MoverTab(bool adiante)
{
    const int linha = m_modelo->LinhaAtual();
    const int ultima = m_modelo->columnCount() - 1;
    if (linha < 0 || ultima < 0)
        return;
    const int coluna = m_colunaSelecionada;
    if (adiante) {
        if (coluna < ultima) {
            IrPara(linha, std::max(coluna + 1, m_fixedCols));
        } else if (linha < m_modelo->rowCount() - 1) {
            IrPara(linha + 1, m_fixedCols);
        } else {
            m_colunaSelecionada = std::min(m_fixedCols, ultima);
            Inserir();
            IrPara(m_modelo->LinhaAtual(), m_colunaSelecionada);
        }
    } else if (coluna > m_fixedCols) {
        IrPara(linha, coluna - 1);
    } else if (linha > 0) {
        IrPara(linha - 1, ultima);
    }
}

void TvrtDBGrid::MoverLinha(int distancia)
{
    const int linha = m_modelo->LinhaAtual();
    if (linha < 0)
        return;
    const int destino = std::clamp(linha + distancia, 0, m_modelo->rowCount() - 1);
    if (destino != linha)
        IrPara(destino, m_colunaSelecionada);
}

// ---------------------------------------------------------------------------------------------
// Mouse and scroll bars

bool TvrtDBGrid::FocoRecusado() const
{
    // Another control that refused to let the focus go keeps it, and the click goes nowhere.
    if (!(focusPolicy() & Qt::ClickFocus))
        return false;
    const QWidget *foco = window()->focusWidget();
    return foco && foco != this && !isAncestorOf(foco);
}

void TvrtDBGrid::mousePressEvent(QMouseEvent *event)
{
    if (FocoRecusado() || event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    // The gate turns a click on a fixed column into a choice of its row.
    QTableView::mousePressEvent(event);
}

void TvrtDBGrid::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && OnClick)
        OnClick(*this);
}

void TvrtDBGrid::Rodar(int passo)
{
    QKeyEvent tecla(QEvent::KeyPress, passo > 0 ? Qt::Key_Up : Qt::Key_Down, Qt::NoModifier);
    keyPressEvent(&tecla);
}

void TvrtDBGrid::wheelEvent(QWheelEvent *event)
{
    // One row per notch, whatever the size of the turn.
    const int passo = event->angleDelta().y();
    if (passo == 0) {
        QTableView::wheelEvent(event);
        return;
    }
    Rodar(passo);
    event->accept();
}

void TvrtDBGrid::AcionarBarra(QScrollBar *barra, TTipoScrollBar tipo)
{
    if (!OnScrollBarClick)
        return;
    bool cancelar = false;
    if (!ExecutarProtegido([&] { OnScrollBarClick(*this, tipo, cancelar); }) || cancelar)
        barra->setSliderPosition(barra->value());
}

bool TvrtDBGrid::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto == verticalScrollBar() && event->type() == QEvent::Wheel) {
        const int passo = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (passo != 0) {
            Rodar(passo);
            return true;
        }
        return false;
    }
    const bool cabecalho
        = objeto == verticalHeader()->viewport() || objeto == horizontalHeader()->viewport();
    if (!cabecalho)
        return QTableView::eventFilter(objeto, event);
    const bool botaoEsquerdo
        = (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
    if (!botaoEsquerdo)
        return false;
    if (event->type() == QEvent::MouseButtonRelease) {
        if (OnClick)
            OnClick(*this);
        return false;
    }
    // The row indicator: a click chooses the row and leaves the column alone.
    if (objeto == verticalHeader()->viewport()) {
        if (!FocoRecusado()) {
            const int y = static_cast<QMouseEvent *>(event)->position().toPoint().y();
            IrPara(verticalHeader()->logicalIndexAt(y), m_colunaSelecionada);
        }
        return true;
    }
    return false;
}
