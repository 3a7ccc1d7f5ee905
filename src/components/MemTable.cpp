#include "components/MemTable.h"

#include "common/uConversoes.h"
#include "common/uFormatDateTime.h"
#include "common/uFormatFloat.h"
#include "common/uTextoWindows1252.h"

#include <QIODevice>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString &TextoSim()
{
    static const QString texto = QStringLiteral("Sim");
    return texto;
}

const QString &TextoNao()
{
    static const QString texto = QStringLiteral("Não");
    return texto;
}

bool TextoParaLogico(const QString &texto)
{
    static const QStringList verdadeiros {QStringLiteral("sim"), QStringLiteral("s"),
        QStringLiteral("true"), QStringLiteral("t"), QStringLiteral("verdadeiro"),
        QStringLiteral("v"), QStringLiteral("1"), QStringLiteral("-1")};
    static const QStringList falsos {QStringLiteral("não"), QStringLiteral("nao"),
        QStringLiteral("n"), QStringLiteral("false"), QStringLiteral("f"), QStringLiteral("falso"),
        QStringLiteral("0")};
    const QString t = texto.trimmed().toLower();
    if (verdadeiros.contains(t))
        return true;
    if (falsos.contains(t))
        return false;
    throw EConvertError(QStringLiteral("\"%1\" não é um valor lógico válido.").arg(texto));
}

// Text of a real for a message; never raises.
QString RealEmTexto(double valor)
{
    return std::isfinite(valor) ? RealParaTexto(valor) : QString::number(valor);
}

// The whole number nearest to a value, halves away from zero, within a range.
qint64 Inteiro(double valor, qint64 minimo, qint64 maximo, const QString &campo)
{
    const double arredondado = std::round(valor);
    if (!std::isfinite(valor) || arredondado < double(minimo) || arredondado > double(maximo)) {
        throw EDatabaseError(
            QStringLiteral("O valor %1 está fora do intervalo do campo \"%2\" (%3 a %4).")
                .arg(RealEmTexto(valor), campo)
                .arg(minimo)
                .arg(maximo));
    }
    return qint64(arredondado);
}

int Inteiro32(double valor, const QString &campo)
{
    return int(Inteiro(
        valor, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max(), campo));
}

// Gives a variable a value for the guard's lifetime and restores the previous one after, also
// when an exception passes.
template<typename T>
class Temporario
{
public:
    Temporario(T &variavel, T valor)
        : m_variavel(variavel)
        , m_anterior(variavel)
    {
        m_variavel = valor;
    }
    ~Temporario() { m_variavel = m_anterior; }
    Temporario(const Temporario &) = delete;
    Temporario &operator=(const Temporario &) = delete;

private:
    T &m_variavel;
    T m_anterior;
};

} // namespace

template<typename Aviso>
void TMemoryTable::Avisar(Aviso aviso) const
{
    if (m_controlesDesligados > 0 || m_fontes.isEmpty())
        return;
    // A control may drop its data source while being told; the copy keeps the walk safe.
    const QList<TDataSource *> fontes = m_fontes;
    for (TDataSource *fonte : fontes) {
        if (m_fontes.contains(fonte))
            aviso(*fonte);
    }
}

// ---------------------------------------------------------------------------------------------
// TField

TField::TField(
    TMemoryTable &tabela, const QString &nome, TFieldType tipo, int tamanho, TFieldKind tipoCampo)
    : m_tabela(tabela)
    , m_nome(nome)
    , m_tipo(tipo)
    , m_tamanho(tamanho)
    , m_tipoCampo(tipoCampo)
    , m_indice(tabela.FieldCount())
{ }

QString TField::Name() const
{
    return m_tabela.Nome() + m_nome;
}

int TField::Index() const
{
    return m_indice;
}

bool TField::IsNumeric() const
{
    return m_tipo == ftSmallint || m_tipo == ftInteger || m_tipo == ftFloat;
}

QString TField::DisplayLabel() const
{
    return m_rotulo.isEmpty() ? m_nome : m_rotulo;
}

void TField::SetDisplayLabel(const QString &rotulo)
{
    m_rotulo = rotulo;
    Alterado();
}

int TField::DisplayWidth() const
{
    if (m_largura > 0)
        return m_largura;
    switch (m_tipo) {
    case ftSmallint:
        return 6;
    case ftInteger:
        return 11;
    case ftBoolean:
        return 5;
    case ftString:
        if (m_tamanho > 0)
            return m_tamanho;
        break;
    default:
        break;
    }
    return 10;
}

void TField::SetDisplayWidth(int largura)
{
    m_largura = largura;
    Alterado();
}

Qt::Alignment TField::Alignment() const
{
    if (m_alinhamentoDefinido)
        return m_alinhamento;
    return IsNumeric() ? Qt::AlignRight : Qt::AlignLeft;
}

void TField::SetAlignment(Qt::Alignment alinhamento)
{
    m_alinhamento = alinhamento;
    m_alinhamentoDefinido = true;
    Alterado();
}

void TField::SetVisible(bool visivel)
{
    m_visivel = visivel;
    Alterado();
}

void TField::SetDisplayFormat(const QString &formato)
{
    m_formatoExibicao = formato;
    Alterado();
}

void TField::SetEditFormat(const QString &formato)
{
    m_formatoEdicao = formato;
    Alterado();
}

void TField::Alterado()
{
    m_tabela.Avisar([](TDataSource &fonte) { Q_EMIT fonte.layoutChanged(); });
}

bool TField::IsNull() const
{
    return !Value().isValid();
}

void TField::Clear()
{
    SetValue(QVariant());
}

QVariant TField::Value() const
{
    const QVariant *linha = m_tabela.LinhaLida();
    return linha ? linha[m_indice] : QVariant();
}

// The value as the row stores it: int for the integer kinds, double for reals, dates and times,
// bool, QString cut to the field's size, QByteArray for pictures; an empty text or picture is
// null.
QVariant TField::Normalizado(const QVariant &valor) const
{
    if (!valor.isValid() || valor.isNull())
        return {};
    const int tipoValor = valor.typeId();
    const bool textoDado = tipoValor == QMetaType::QString;
    if (textoDado && !IsText() && m_tipo != ftGraphic) {
        const QString texto = valor.toString();
        if (texto.trimmed().isEmpty())
            return {};
        switch (m_tipo) {
        case ftSmallint:
        case ftInteger:
            return Normalizado(TextoParaInteiro(texto));
        case ftFloat:
            return Normalizado(TextoParaReal(texto));
        case ftBoolean:
            return TextoParaLogico(texto);
        default:
            return Normalizado(TextoParaDataHora(texto));
        }
    }
    switch (m_tipo) {
    case ftString:
    case ftMemo: {
        QString texto;
        if (tipoValor == QMetaType::Bool)
            texto = valor.toBool() ? TextoSim() : TextoNao();
        else if (tipoValor == QMetaType::Double || tipoValor == QMetaType::Float)
            texto = RealParaTexto(valor.toDouble());
        else
            texto = valor.toString();
        if (m_tipo == ftString && m_tamanho > 0 && texto.size() > m_tamanho)
            texto.truncate(m_tamanho);
        return texto.isEmpty() ? QVariant() : QVariant(texto);
    }
    case ftGraphic: {
        const QByteArray bytes = tipoValor == QMetaType::QByteArray ? valor.toByteArray()
                                                                    : valor.toString().toLatin1();
        return bytes.isEmpty() ? QVariant() : QVariant(bytes);
    }
    case ftBoolean:
        if (tipoValor == QMetaType::Bool)
            return valor.toBool();
        break;
    default:
        break;
    }
    bool ok = false;
    const double numero = valor.toDouble(&ok);
    if (!ok || !std::isfinite(numero))
        throw EConvertError(QStringLiteral("Valor inválido para o campo \"%1\".").arg(m_nome));
    switch (m_tipo) {
    case ftSmallint:
        return int(Inteiro(numero, -32768, 32767, m_nome));
    case ftInteger:
        return Inteiro32(numero, m_nome);
    case ftBoolean:
        return numero != 0;
    case ftDate:
        return double(Inteiro(std::trunc(numero), DIA_MINIMO, DIA_MAXIMO, m_nome));
    case ftTime: {
        const double hora = std::fabs(numero - std::trunc(numero));
        return hora;
    }
    default:
        return numero;
    }
}

void TField::SetValue(const QVariant &valor)
{
    m_tabela.Gravar(*this, valor);
}

QString TField::AsString() const
{
    const QVariant valor = Value();
    if (!valor.isValid())
        return {};
    switch (m_tipo) {
    case ftSmallint:
    case ftInteger:
        return QString::number(valor.toInt());
    case ftFloat:
        return RealParaTexto(valor.toDouble());
    case ftBoolean:
        return valor.toBool() ? TextoSim() : TextoNao();
    case ftDate:
        return FormatDateTime(QStringLiteral("dd/mm/yyyy"), valor.toDouble());
    case ftTime:
        return FormatDateTime(QStringLiteral("hh:nn:ss"), valor.toDouble());
    case ftGraphic:
        return QString::fromLatin1(valor.toByteArray());
    default:
        return valor.toString();
    }
}

void TField::SetAsString(const QString &texto)
{
    SetValue(texto);
}

int TField::AsInteger() const
{
    const QVariant valor = Value();
    if (!valor.isValid())
        return 0;
    switch (m_tipo) {
    case ftSmallint:
    case ftInteger:
        return valor.toInt();
    case ftBoolean:
        return valor.toBool() ? 1 : 0;
    case ftFloat:
        return Inteiro32(valor.toDouble(), m_nome);
    case ftDate:
    case ftTime:
        return int(std::trunc(valor.toDouble()));
    default:
        return TextoParaInteiro(AsString());
    }
}

void TField::SetAsInteger(int valor)
{
    SetValue(valor);
}

double TField::AsFloat() const
{
    const QVariant valor = Value();
    if (!valor.isValid())
        return 0;
    switch (m_tipo) {
    case ftString:
    case ftMemo:
    case ftGraphic:
        return TextoParaReal(AsString());
    case ftBoolean:
        return valor.toBool() ? 1 : 0;
    default:
        return valor.toDouble();
    }
}

void TField::SetAsFloat(double valor)
{
    SetValue(valor);
}

double TField::AsDateTime() const
{
    const QVariant valor = Value();
    if (!valor.isValid())
        return 0;
    if (IsText() || m_tipo == ftGraphic)
        return TextoParaDataHora(AsString());
    return AsFloat();
}

void TField::SetAsDateTime(double diasDesde1899)
{
    if (IsText())
        SetValue(DataHoraParaTexto(diasDesde1899));
    else
        SetValue(diasDesde1899);
}

bool TField::AsBoolean() const
{
    const QVariant valor = Value();
    if (!valor.isValid())
        return false;
    switch (m_tipo) {
    case ftBoolean:
        return valor.toBool();
    case ftString:
    case ftMemo:
    case ftGraphic:
        return TextoParaLogico(AsString());
    default:
        return valor.toDouble() != 0;
    }
}

void TField::SetAsBoolean(bool valor)
{
    SetValue(valor);
}

// Texts as bytes are in the Windows Western code page, as the public bodies' programs write
// them.
QByteArray TField::AsBytes() const
{
    if (m_tipo == ftGraphic)
        return Value().toByteArray();
    return BytesWindows1252(AsString());
}

void TField::SetAsBytes(const QByteArray &bytes)
{
    if (m_tipo == ftGraphic)
        SetValue(bytes);
    else
        SetValue(TextoWindows1252(bytes));
}

void TField::LoadFromStream(QIODevice &origem)
{
    SetAsBytes(origem.readAll());
}

void TField::SaveToStream(QIODevice &destino) const
{
    const QByteArray bytes = AsBytes();
    if (destino.write(bytes) != bytes.size()) {
        throw EFileError(QStringLiteral("Não foi possível gravar o conteúdo do campo \"%1\": %2")
                             .arg(m_nome, destino.errorString()));
    }
}

// The field's own text: the display or edit picture for numbers, dates and times, "Sim" or
// "Não" for booleans, a placeholder for pictures and, on display, for memos.
QString TField::TextoPadrao(bool exibicao) const
{
    const QVariant valor = Value();
    if (!valor.isValid())
        return {};
    const QString &formato = exibicao ? m_formatoExibicao : m_formatoEdicao;
    switch (m_tipo) {
    case ftSmallint:
    case ftInteger:
    case ftFloat:
        return formato.isEmpty() ? AsString() : FormatFloat(formato, valor.toDouble());
    case ftDate:
    case ftTime:
        return formato.isEmpty() ? AsString() : FormatDateTime(formato, valor.toDouble());
    case ftMemo:
        return exibicao ? QStringLiteral("(Texto)") : AsString();
    case ftGraphic:
        return QStringLiteral("(Imagem)");
    default:
        return AsString();
    }
}

QString TField::DisplayText() const
{
    QString texto = TextoPadrao(true);
    if (OnGetText)
        OnGetText(const_cast<TField &>(*this), texto, true);
    return texto;
}

QString TField::Text() const
{
    QString texto = TextoPadrao(false);
    if (OnGetText)
        OnGetText(const_cast<TField &>(*this), texto, false);
    return texto;
}

void TField::SetText(const QString &texto)
{
    // A picture shows a placeholder; taking that text back would replace the picture.
    if (m_tipo == ftGraphic) {
        throw EConvertError(
            QStringLiteral("O campo \"%1\" guarda uma imagem e não aceita texto digitado.")
                .arg(DisplayLabel()));
    }
    SetAsString(texto);
}

// ---------------------------------------------------------------------------------------------
// TDataSource

TDataSource::TDataSource(QObject *parent)
    : QObject(parent)
{ }

TDataSource::~TDataSource()
{
    if (m_tabela)
        m_tabela->m_fontes.removeAll(this);
}

void TDataSource::SetDataSet(TMemoryTable *tabela)
{
    if (m_tabela == tabela)
        return;
    if (m_tabela)
        m_tabela->m_fontes.removeAll(this);
    m_tabela = tabela;
    if (m_tabela)
        m_tabela->m_fontes.append(this);
    Q_EMIT activeChanged(m_tabela && m_tabela->Active());
}

TDataSetState TDataSource::State() const
{
    return m_tabela ? m_tabela->State() : dsInactive;
}

// ---------------------------------------------------------------------------------------------
// TMemoryTable: fields and plumbing

TMemoryTable::TMemoryTable(const QString &nome, QObject *parent)
    : QObject(parent)
    , m_nome(nome)
{
    setObjectName(nome);
}

TMemoryTable::~TMemoryTable()
{
    const bool ativa = Active();
    const QList<TDataSource *> fontes = m_fontes;
    m_fontes.clear();
    for (TDataSource *fonte : fontes) {
        fonte->m_tabela = nullptr;
        if (ativa)
            Q_EMIT fonte->activeChanged(false);
    }
}

TField &TMemoryTable::AdicionarCampo(
    const QString &nome, TFieldType tipo, int tamanho, TFieldKind tipoCampo)
{
    if (Active()) {
        throw EDatabaseError(
            QStringLiteral("%1: não é possível declarar campos com a tabela aberta.").arg(m_nome));
    }
    if (FindField(nome)) {
        throw EDatabaseError(
            QStringLiteral("%1: o campo \"%2\" já foi declarado.").arg(m_nome, nome));
    }
    m_campos.push_back(std::make_unique<TField>(*this, nome, tipo, tamanho, tipoCampo));
    return *m_campos.back();
}

TField &TMemoryTable::Fields(int indice) const
{
    if (indice < 0 || indice >= FieldCount()) {
        throw EDatabaseError(
            QStringLiteral("%1: não há campo na posição %2.").arg(m_nome).arg(indice));
    }
    return *m_campos[std::size_t(indice)];
}

TField *TMemoryTable::FindField(const QString &nome) const
{
    for (const auto &campo : m_campos) {
        if (campo->FieldName().compare(nome, Qt::CaseInsensitive) == 0)
            return campo.get();
    }
    return nullptr;
}

TField &TMemoryTable::FieldByName(const QString &nome) const
{
    if (TField *campo = FindField(nome))
        return *campo;
    throw EDatabaseError(QStringLiteral("%1: campo \"%2\" não encontrado.").arg(m_nome, nome));
}

void TMemoryTable::ExigirAberta() const
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("Tabela %1 não está aberta.").arg(m_nome));
}

void TMemoryTable::ErroForaDeEdicao() const
{
    throw EDatabaseError(
        QStringLiteral("Tabela %1 não está em modo de edição ou inserção.").arg(m_nome));
}

void TMemoryTable::Executar(bool habilitado, const TDataSetEvent &evento, TMemoryTable &tabela)
{
    if (habilitado && evento)
        evento(tabela);
}

int TMemoryTable::LinhaAtual() const
{
    return m_cursor >= 0 ? m_visiveis[std::size_t(m_cursor)] : -1;
}

int TMemoryTable::PosicaoVisivel(int linha) const
{
    const auto it = std::lower_bound(m_visiveis.begin(), m_visiveis.end(), linha);
    return it != m_visiveis.end() && *it == linha ? int(it - m_visiveis.begin()) : -1;
}

int TMemoryTable::LinhaDaMarca(TBookmark marca) const
{
    // Rows appended at the end keep the bookmarks ascending; an insert in the middle does not.
    const auto it = m_marcasEmOrdem ? std::lower_bound(m_marcas.begin(), m_marcas.end(), marca)
                                    : std::find(m_marcas.begin(), m_marcas.end(), marca);
    return it == m_marcas.end() || *it != marca ? -1 : int(it - m_marcas.begin());
}

const QVariant *TMemoryTable::LinhaLida() const
{
    if (m_linhaCalculo)
        return m_linhaCalculo;
    if (m_linhaLeitura)
        return m_linhaLeitura;
    if (Editando())
        return m_buffer.data();
    const int linha = LinhaAtual();
    return linha >= 0 ? m_valores.data() + std::size_t(linha) * m_campos.size() : nullptr;
}

// Every write of a field value lands here. Calculated fields are written into the row being
// computed; everything else needs edit or insert state and a writable field.
void TMemoryTable::Gravar(TField &campo, QVariant valor)
{
    if (m_linhaCalculo) {
        if (campo.FieldKind() != fkCalculated) {
            throw EDatabaseError(
                QStringLiteral("O campo \"%1\" não pode ser modificado durante o cálculo.")
                    .arg(campo.DisplayLabel()));
        }
        m_linhaCalculo[campo.Index()] = campo.Normalizado(valor);
        return;
    }
    if (!Editando())
        ErroForaDeEdicao();
    if (campo.ReadOnly()) {
        throw EDatabaseError(
            QStringLiteral("O campo \"%1\" não pode ser modificado.").arg(campo.DisplayLabel()));
    }
    m_buffer[std::size_t(campo.Index())] = campo.Normalizado(valor);
    m_modificado = true;
    Avisar([&campo](TDataSource &fonte) { Q_EMIT fonte.recordChanged(&campo); });
    if (AutoCalcFields && HabilitaOnCalcFields && OnCalcFields && campo.FieldKind() == fkData) {
        // Controls showing a calculated field hear of it only when its value changed.
        QVarLengthArray<std::pair<TField *, QVariant>, 8> antes;
        if (!m_fontes.isEmpty() && !ControlsDisabled()) {
            for (const auto &c : m_campos) {
                if (c->FieldKind() == fkCalculated)
                    antes.append({c.get(), m_buffer[std::size_t(c->Index())]});
            }
        }
        Calcular(m_buffer.data());
        for (const auto &[calculado, anterior] : antes) {
            if (anterior != m_buffer[std::size_t(calculado->Index())])
                Avisar([c = calculado](TDataSource &fonte) { Q_EMIT fonte.recordChanged(c); });
        }
    }
}

// The calculate-fields step for one row. Calculated values are stored with the row and not
// cleared first: a handler that leaves a field alone leaves its value.
void TMemoryTable::Calcular(QVariant *linha)
{
    if (!HabilitaOnCalcFields || !OnCalcFields || m_linhaCalculo || !linha)
        return;
    const Temporario<QVariant *> calculando(m_linhaCalculo, linha);
    OnCalcFields(*this);
}

void TMemoryTable::CalcularAtual()
{
    const int linha = LinhaAtual();
    if (linha >= 0)
        Calcular(Valores(linha));
}

void TMemoryTable::NaLinha(int linhaVisivel, const std::function<void()> &leitura) const
{
    const QVariant *linha = nullptr;
    int posicao = linhaVisivel;
    const bool inserindo = m_estado == dsInsert;
    if (inserindo && posicao == m_posicaoInsercao) {
        linha = m_buffer.data();
    } else {
        if (inserindo && posicao > m_posicaoInsercao)
            --posicao;
        if (m_estado == dsEdit && posicao == m_cursor)
            linha = m_buffer.data();
        else if (posicao >= 0 && posicao < int(m_visiveis.size()))
            linha = m_valores.data()
                + std::size_t(m_visiveis[std::size_t(posicao)]) * m_campos.size();
    }
    // Without a row the fields read empty, not the current row.
    std::vector<QVariant> nulos;
    if (!linha) {
        nulos.resize(m_campos.size());
        linha = nulos.data();
    }
    const Temporario<const QVariant *> lendo(m_linhaLeitura, linha);
    leitura();
}

int TMemoryTable::LinhasExibidas() const
{
    return RecordCount() + (m_estado == dsInsert ? 1 : 0);
}

// ---------------------------------------------------------------------------------------------
// Open, close, empty

void TMemoryTable::Open()
{
    if (Active())
        return;
    Executar(HabilitaBeforeOpen, BeforeOpen, *this);
    RemoverLinhas();
    m_condicoes.clear();
    m_filtroEmVigor = false;
    m_estado = dsBrowse;
    Avisar([](TDataSource &fonte) { Q_EMIT fonte.activeChanged(true); });
    if (HabilitaAfterOpen) {
        // The table's own work after open: the filter in force is parsed here.
        if (m_filtrado)
            AplicarFiltro(Compilar(m_filtro), true);
        Executar(true, AfterOpen, *this);
    }
}

void TMemoryTable::Close()
{
    if (!Active())
        return;
    if (HabilitaBeforeClose) {
        Cancel();
        Executar(true, BeforeClose, *this);
    }
    m_estado = dsInactive;
    m_buffer.clear();
    m_modificado = false;
    RemoverLinhas();
    m_condicoes.clear();
    m_filtroEmVigor = false;
    Avisar([](TDataSource &fonte) { Q_EMIT fonte.activeChanged(false); });
    Executar(HabilitaAfterClose, AfterClose, *this);
}

void TMemoryTable::EmptyTable()
{
    ExigirAberta();
    Cancel();
    DisableControls();
    RemoverLinhas();
    EnableControls();
}

void TMemoryTable::RemoverLinhas()
{
    m_valores.clear();
    m_marcas.clear();
    m_marcasEmOrdem = true;
    m_visiveis.clear();
    m_cursor = -1;
    m_eof = true;
}

// ---------------------------------------------------------------------------------------------
// Navigation

void TMemoryTable::AjustarLimites()
{
    const int total = int(m_visiveis.size());
    if (total == 0) {
        m_cursor = -1;
        m_eof = true;
        return;
    }
    m_cursor = std::clamp(m_cursor, 0, total - 1);
    m_eof = false;
}

// A move of the cursor: a pending edit is settled first, then before-scroll; `mover` answers
// whether the row changed, which (or `semprePosRolagem`) fetches the row and fires after-scroll.
void TMemoryTable::Rolar(const std::function<bool()> &mover, bool semprePosRolagem)
{
    ExigirAberta();
    ConfirmarOuCancelar();
    Executar(HabilitaBeforeScroll, BeforeScroll, *this);
    const bool mudou = mover();
    if (!mudou && !semprePosRolagem)
        return;
    CalcularAtual();
    if (mudou)
        Avisar([](TDataSource &fonte) { Q_EMIT fonte.dataSetScrolled(); });
    Executar(HabilitaAfterScroll, AfterScroll, *this);
}

void TMemoryTable::First()
{
    Rolar(
        [this] {
            const int antes = m_cursor;
            m_cursor = m_visiveis.empty() ? -1 : 0;
            m_eof = m_visiveis.empty();
            return m_cursor != antes;
        },
        true);
}

void TMemoryTable::Last()
{
    Rolar(
        [this] {
            const int antes = m_cursor;
            m_cursor = int(m_visiveis.size()) - 1;
            m_eof = true;
            return m_cursor != antes;
        },
        true);
}

void TMemoryTable::Next()
{
    MoveBy(1);
}

void TMemoryTable::MoveBy(int distancia)
{
    Rolar(
        [this, distancia] {
            const int total = int(m_visiveis.size());
            if (total == 0 || distancia == 0 || (distancia > 0 && m_eof))
                return false;
            const qint64 alvo = qint64(m_cursor) + distancia;
            const int antes = m_cursor;
            if (distancia > 0) {
                m_eof = alvo >= total;
                m_cursor = int(std::min<qint64>(alvo, total - 1));
            } else {
                m_eof = false;
                m_cursor = int(std::max<qint64>(alvo, 0));
            }
            return m_cursor != antes;
        },
        false);
}

bool TMemoryTable::Eof() const
{
    return m_estado == dsInsert ? false : m_eof;
}

bool TMemoryTable::IsEmpty() const
{
    return m_visiveis.empty() && m_estado != dsInsert;
}

int TMemoryTable::RecordCount() const
{
    return int(m_visiveis.size());
}

int TMemoryTable::RecNo() const
{
    if (m_estado == dsInsert)
        return m_posicaoInsercao + 1;
    return m_cursor + 1;
}

void TMemoryTable::SetRecNo(int posicao)
{
    ExigirAberta();
    if (m_estado != dsInsert && posicao != RecNo() && !m_visiveis.empty())
        MoveBy(std::clamp(posicao, 1, RecordCount()) - RecNo());
}

bool TMemoryTable::Locate(
    const QString &nomeCampo, const QString &texto, bool ignorarCaixa, bool parcial)
{
    ExigirAberta();
    const TField &campo = FieldByName(nomeCampo);
    ConfirmarOuCancelar();
    const Qt::CaseSensitivity caixa = ignorarCaixa ? Qt::CaseInsensitive : Qt::CaseSensitive;
    int achada = -1;
    for (int posicao = 0; posicao < RecordCount() && achada < 0; ++posicao) {
        NaLinha(posicao, [&] {
            const QString valor = campo.AsString();
            if (parcial ? valor.startsWith(texto, caixa) : valor.compare(texto, caixa) == 0)
                achada = posicao;
        });
    }
    if (achada < 0)
        return false;
    Rolar(
        [this, achada] {
            const int antes = m_cursor;
            m_cursor = achada;
            m_eof = false;
            return m_cursor != antes;
        },
        true);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Editing

// What leaving an edit does before a move: controls write their pending text, then the row is
// posted when something changed and cancelled otherwise.
void TMemoryTable::ConfirmarOuCancelar()
{
    if (!Editando())
        return;
    Avisar([](TDataSource &fonte) { Q_EMIT fonte.updateData(); });
    if (m_modificado)
        Post();
    else
        Cancel();
}

void TMemoryTable::Append()
{
    Inserir(true);
}

void TMemoryTable::Insert()
{
    Inserir(false);
}

void TMemoryTable::Inserir(bool noFim)
{
    ExigirAberta();
    ConfirmarOuCancelar();
    Executar(HabilitaBeforeInsert, BeforeInsert, *this);
    Executar(HabilitaBeforeScroll, BeforeScroll, *this);

    const int atual = LinhaAtual();
    m_linhaAnterior = atual;
    if (noFim || atual < 0) {
        m_linhaInsercao = int(m_marcas.size());
        m_posicaoInsercao = RecordCount();
    } else {
        m_linhaInsercao = atual;
        m_posicaoInsercao = m_cursor;
    }
    m_buffer.assign(m_campos.size(), QVariant());
    m_estado = dsInsert;
    Avisar([](TDataSource &fonte) {
        Q_EMIT fonte.stateChanged(dsInsert);
        Q_EMIT fonte.dataSetChanged();
    });
    if (HabilitaOnNewRecord) {
        try {
            Executar(true, OnNewRecord, *this);
        } catch (...) {
            m_estado = dsBrowse;
            m_buffer.clear();
            Avisar([](TDataSource &fonte) {
                Q_EMIT fonte.stateChanged(dsBrowse);
                Q_EMIT fonte.dataSetChanged();
            });
            throw;
        }
    }
    m_modificado = false;
    Executar(HabilitaAfterInsert, AfterInsert, *this);
    Executar(HabilitaAfterScroll, AfterScroll, *this);
}

void TMemoryTable::Edit()
{
    ExigirAberta();
    if (Editando())
        return;
    if (m_visiveis.empty()) {
        Insert();
        return;
    }
    Executar(HabilitaBeforeEdit, BeforeEdit, *this);
    const QVariant *linha = Valores(LinhaAtual());
    m_buffer.assign(linha, linha + m_campos.size());
    m_modificado = false;
    m_estado = dsEdit;
    Avisar([](TDataSource &fonte) { Q_EMIT fonte.stateChanged(dsEdit); });
    Executar(HabilitaAfterEdit, AfterEdit, *this);
}

// After an insert is given up, or posted without repositioning: back to the row that was
// current when it began, or to the nearest position when that row is gone or hidden.
void TMemoryTable::VoltarParaAnterior()
{
    const int posicao = m_linhaAnterior >= 0 ? PosicaoVisivel(m_linhaAnterior) : -1;
    if (posicao >= 0)
        m_cursor = posicao;
    else if (m_cursor < 0)
        m_cursor = 0;
    AjustarLimites();
}

void TMemoryTable::Post()
{
    ExigirAberta();
    if (!Editando())
        ErroForaDeEdicao();
    Avisar([](TDataSource &fonte) { Q_EMIT fonte.updateData(); });
    Executar(HabilitaBeforePost, BeforePost, *this);
    for (const auto &campo : m_campos) {
        if (campo->Required() && campo->FieldKind() == fkData
            && !m_buffer[std::size_t(campo->Index())].isValid()) {
            throw EDatabaseError(
                QStringLiteral("O campo \"%1\" precisa de um valor.").arg(campo->DisplayLabel()));
        }
    }
    Calcular(m_buffer.data());

    const std::size_t campos = m_campos.size();
    const bool inserindo = m_estado == dsInsert;
    int linha;
    if (inserindo) {
        linha = m_linhaInsercao;
        m_valores.insert(m_valores.begin() + std::ptrdiff_t(std::size_t(linha) * campos),
            std::make_move_iterator(m_buffer.begin()), std::make_move_iterator(m_buffer.end()));
        m_marcasEmOrdem = m_marcasEmOrdem && linha == int(m_marcas.size());
        m_marcas.insert(m_marcas.begin() + linha, m_proximaMarca++);
        if (m_linhaAnterior >= linha)
            ++m_linhaAnterior;
        // Rows after the new one moved one place down the storage.
        auto depois = std::lower_bound(m_visiveis.begin(), m_visiveis.end(), linha);
        for (auto it = depois; it != m_visiveis.end(); ++it)
            ++*it;
        if (Passa(linha))
            m_visiveis.insert(depois, linha);
    } else {
        linha = LinhaAtual();
        std::move(m_buffer.begin(), m_buffer.end(), Valores(linha));
        if (!Passa(linha))
            m_visiveis.erase(m_visiveis.begin() + m_cursor);
    }
    m_buffer.clear();
    m_modificado = false;
    m_estado = dsBrowse;
    if (inserindo)
        VoltarParaAnterior();
    else
        AjustarLimites();
    Avisar([](TDataSource &fonte) {
        Q_EMIT fonte.stateChanged(dsBrowse);
        Q_EMIT fonte.dataSetChanged();
    });

    if (HabilitaAfterPost) {
        // The table's own work after post: the cursor follows the row just posted.
        const int posicao = PosicaoVisivel(linha);
        if (AutoReposition && posicao >= 0 && posicao != m_cursor) {
            m_cursor = posicao;
            AjustarLimites();
            Avisar([](TDataSource &fonte) { Q_EMIT fonte.dataSetScrolled(); });
        }
        Executar(true, AfterPost, *this);
    }
}

void TMemoryTable::PostSePendente()
{
    if (Editando())
        Post();
}

void TMemoryTable::Cancel()
{
    if (!Editando())
        return;
    Executar(HabilitaBeforeCancel, BeforeCancel, *this);
    const bool inserindo = m_estado == dsInsert;
    m_buffer.clear();
    m_modificado = false;
    m_estado = dsBrowse;
    if (inserindo)
        VoltarParaAnterior();
    Avisar([inserindo](TDataSource &fonte) {
        Q_EMIT fonte.stateChanged(dsBrowse);
        if (inserindo)
            Q_EMIT fonte.dataSetChanged();
        else
            Q_EMIT fonte.recordChanged(nullptr);
    });
    Executar(HabilitaAfterCancel, AfterCancel, *this);
}

void TMemoryTable::Delete()
{
    ExigirAberta();
    if (m_estado == dsInsert) {
        Cancel();
        return;
    }
    if (m_visiveis.empty()) {
        throw EDatabaseError(
            QStringLiteral("%1: não há registro para excluir na tabela vazia.").arg(m_nome));
    }
    Executar(HabilitaBeforeDelete, BeforeDelete, *this);
    Executar(HabilitaBeforeScroll, BeforeScroll, *this);
    const bool editava = m_estado == dsEdit;
    const int linha = LinhaAtual();
    const std::size_t campos = m_campos.size();
    const auto inicio = m_valores.begin() + std::ptrdiff_t(std::size_t(linha) * campos);
    m_valores.erase(inicio, inicio + std::ptrdiff_t(campos));
    m_marcas.erase(m_marcas.begin() + linha);
    const auto removida = m_visiveis.erase(m_visiveis.begin() + m_cursor);
    for (auto it = removida; it != m_visiveis.end(); ++it)
        --*it;
    m_buffer.clear();
    m_modificado = false;
    m_estado = dsBrowse;
    AjustarLimites();
    CalcularAtual();
    Avisar([editava](TDataSource &fonte) {
        if (editava)
            Q_EMIT fonte.stateChanged(dsBrowse);
        Q_EMIT fonte.dataSetChanged();
    });
    Executar(HabilitaAfterDelete, AfterDelete, *this);
    Executar(HabilitaAfterScroll, AfterScroll, *this);
}

// ---------------------------------------------------------------------------------------------
// Filter

// Parses the expressions the program writes: equalities of a field and a whole number joined
// by "AND", field names and "AND" in any case, blanks anywhere between the parts.
std::vector<TMemoryTable::Condicao> TMemoryTable::Compilar(const QString &expressao) const
{
    std::vector<Condicao> condicoes;
    const auto invalida = [&expressao]() {
        return EDatabaseError(
            QStringLiteral("Expressão de filtro inválida: \"%1\".").arg(expressao));
    };
    qsizetype i = 0;
    const qsizetype fim = expressao.size();
    const auto pularBrancos = [&] {
        const qsizetype antes = i;
        while (i < fim && expressao[i].isSpace())
            ++i;
        return i > antes;
    };
    const auto palavra = [&] {
        const qsizetype inicio = i;
        if (i < fim && (expressao[i].isLetter() || expressao[i] == QLatin1Char('_'))) {
            while (i < fim && (expressao[i].isLetterOrNumber() || expressao[i] == QLatin1Char('_')))
                ++i;
        }
        return expressao.mid(inicio, i - inicio);
    };
    pularBrancos();
    if (i == fim)
        return condicoes;
    for (;;) {
        const QString nome = palavra();
        if (nome.isEmpty())
            throw invalida();
        const TField *campo = FindField(nome);
        if (!campo) {
            throw EDatabaseError(
                QStringLiteral("Expressão de filtro inválida: \"%1\": campo \"%2\" não encontrado.")
                    .arg(expressao, nome));
        }
        if (!campo->IsNumeric() && campo->DataType() != ftBoolean)
            throw invalida();
        pularBrancos();
        if (i == fim || expressao[i] != QLatin1Char('='))
            throw invalida();
        ++i;
        pularBrancos();
        const qsizetype inicioNumero = i;
        if (i < fim && (expressao[i] == QLatin1Char('-') || expressao[i] == QLatin1Char('+')))
            ++i;
        while (i < fim && expressao[i] >= QLatin1Char('0') && expressao[i] <= QLatin1Char('9'))
            ++i;
        bool ok = false;
        const qint64 valor = expressao.mid(inicioNumero, i - inicioNumero).toLongLong(&ok);
        if (!ok)
            throw invalida();
        condicoes.push_back({campo->Index(), valor});
        const bool branco = pularBrancos();
        if (i == fim)
            return condicoes;
        if (!branco || palavra().compare(QLatin1String("AND"), Qt::CaseInsensitive) != 0
            || !pularBrancos())
            throw invalida();
    }
}

bool TMemoryTable::Passa(int linha) const
{
    if (!m_filtroEmVigor)
        return true;
    const QVariant *valores = m_valores.data() + std::size_t(linha) * m_campos.size();
    for (const Condicao &c : m_condicoes) {
        const QVariant &v = valores[c.campo];
        if (!v.isValid() || v.toDouble() != double(c.valor))
            return false;
    }
    return true;
}

void TMemoryTable::RecomporVisiveis()
{
    const int total = int(m_marcas.size());
    if (RecalcOnIndex && m_filtroEmVigor) {
        for (int linha = 0; linha < total; ++linha)
            Calcular(Valores(linha));
    }
    m_visiveis.clear();
    m_visiveis.reserve(std::size_t(total));
    for (int linha = 0; linha < total; ++linha) {
        if (Passa(linha))
            m_visiveis.push_back(linha);
    }
}

// Puts a parsed filter in force and goes to the first row that passes it.
void TMemoryTable::AplicarFiltro(std::vector<Condicao> condicoes, bool emVigor)
{
    m_condicoes = std::move(condicoes);
    m_filtroEmVigor = emVigor && !m_condicoes.empty();
    RecomporVisiveis();
    m_cursor = m_visiveis.empty() ? -1 : 0;
    m_eof = m_visiveis.empty();
    CalcularAtual();
    Avisar([](TDataSource &fonte) { Q_EMIT fonte.dataSetChanged(); });
}

void TMemoryTable::SetFilter(const QString &expressao)
{
    if (!Active() || !m_filtrado) {
        m_filtro = expressao;
        return;
    }
    std::vector<Condicao> condicoes = Compilar(expressao);
    ConfirmarOuCancelar();
    Executar(HabilitaBeforeScroll, BeforeScroll, *this);
    m_filtro = expressao;
    AplicarFiltro(std::move(condicoes), true);
    Executar(HabilitaAfterScroll, AfterScroll, *this);
}

void TMemoryTable::SetFiltered(bool filtrado)
{
    if (!Active()) {
        m_filtrado = filtrado;
        return;
    }
    std::vector<Condicao> condicoes = filtrado ? Compilar(m_filtro) : std::vector<Condicao>();
    ConfirmarOuCancelar();
    Executar(HabilitaBeforeScroll, BeforeScroll, *this);
    m_filtrado = filtrado;
    AplicarFiltro(std::move(condicoes), filtrado);
    Executar(HabilitaAfterScroll, AfterScroll, *this);
}

// ---------------------------------------------------------------------------------------------
// Bookmarks

TMemoryTable::TBookmark TMemoryTable::GetBookmark() const
{
    const int linha = m_estado == dsInsert ? -1 : LinhaAtual();
    return linha >= 0 ? m_marcas[std::size_t(linha)] : 0;
}

void TMemoryTable::GotoBookmark(TBookmark marca)
{
    ExigirAberta();
    if (marca == 0)
        return;
    ConfirmarOuCancelar();
    const int linha = LinhaDaMarca(marca);
    const int posicao = linha >= 0 ? PosicaoVisivel(linha) : -1;
    if (posicao < 0)
        throw EDatabaseError(QStringLiteral("Registro não encontrado"));
    Rolar(
        [this, posicao] {
            const int antes = m_cursor;
            m_cursor = posicao;
            m_eof = false;
            return m_cursor != antes;
        },
        true);
}

// ---------------------------------------------------------------------------------------------
// Control hold

void TMemoryTable::DisableControls()
{
    if (m_controlesDesligados++ == 0) {
        m_ativoAoDesligar = Active();
        m_estadoAoDesligar = m_estado;
    }
}

void TMemoryTable::EnableControls()
{
    if (m_controlesDesligados == 0 || --m_controlesDesligados > 0)
        return;
    const bool ativo = Active();
    const TDataSetState estado = m_estado;
    const bool ativoMudou = ativo != m_ativoAoDesligar;
    const bool estadoMudou = estado != m_estadoAoDesligar;
    Avisar([=](TDataSource &fonte) {
        if (ativoMudou)
            Q_EMIT fonte.activeChanged(ativo);
        else if (estadoMudou)
            Q_EMIT fonte.stateChanged(estado);
        Q_EMIT fonte.dataSetChanged();
    });
}
