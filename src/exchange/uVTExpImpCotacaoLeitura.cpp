#include "exchange/uVTExpImpCotacaoLeitura.h"

#include <QBuffer>
#include <QHashFunctions>
#include <QXmlStreamReader>

#include <limits>

namespace {

// The quotation document is seven levels deep: a document nested far deeper is no quotation.
constexpr std::size_t ProfundidadeMaxima = 64;
// A quotation's document spends some 35 bytes per element, its texts a third of the bytes.
constexpr qsizetype BytesPorElemento = 16;

} // namespace

// The element names of one document, each stored once and known by its number.
class TDocumentoLido::TNomes
{
public:
    // The name's number, the name added when new.
    qint32 Numero(QStringView nome)
    {
        const std::size_t posicao = Posicao(nome);
        if (m_tabela[posicao] >= 0)
            return m_tabela[posicao];
        const auto numero = static_cast<qint32>(m_nomes.size());
        m_nomes.push_back(nome.toString());
        m_tabela[posicao] = numero;
        if (m_nomes.size() * 2 > m_tabela.size())
            Crescer();
        return numero;
    }

    // The name's number; -1 when no element of the document has that name.
    qint32 Procurar(QStringView nome) const { return m_tabela[Posicao(nome)]; }

    const QString &Nome(qint32 numero) const { return m_nomes[static_cast<std::size_t>(numero)]; }

private:
    // The slot that holds the name, or the free slot where it goes.
    std::size_t Posicao(QStringView nome) const
    {
        const std::size_t mascara = m_tabela.size() - 1;
        for (std::size_t i = qHash(nome) & mascara;; i = (i + 1) & mascara) {
            const qint32 numero = m_tabela[i];
            if (numero < 0 || m_nomes[static_cast<std::size_t>(numero)] == nome)
                return i;
        }
    }

    void Crescer()
    {
        m_tabela.assign(m_tabela.size() * 2, -1);
        for (std::size_t numero = 0; numero < m_nomes.size(); ++numero)
            m_tabela[Posicao(m_nomes[numero])] = static_cast<qint32>(numero);
    }

    std::vector<QString> m_nomes;
    std::vector<qint32> m_tabela = std::vector<qint32>(64, -1); // a power of two, -1 free
};

QString TElementoLido::Nome() const
{
    return Nulo() ? QString() : m_documento->m_nomes->Nome(m_documento->m_nos[m_indice].nome);
}

QString TElementoLido::Texto() const
{
    return TextoVisto().toString();
}

QStringView TElementoLido::TextoVisto() const
{
    if (Nulo())
        return {};
    const TDocumentoLido::TNo &no = m_documento->m_nos[m_indice];
    return QStringView(m_documento->m_textos).mid(no.inicioTexto, no.fimTexto - no.inicioTexto);
}

TElementoLido TElementoLido::PrimeiroFilho(QStringView nome) const
{
    return Nulo() ? TElementoLido() : DeNome(m_documento->m_nos[m_indice].primeiroFilho, nome);
}

TElementoLido TElementoLido::ProximoIrmao(QStringView nome) const
{
    return Nulo() ? TElementoLido() : DeNome(m_documento->m_nos[m_indice].proximoIrmao, nome);
}

TElementoLido TElementoLido::DeNome(qint32 indice, QStringView nome) const
{
    const qint32 procurado = nome.isEmpty() ? -1 : m_documento->m_nomes->Procurar(nome);
    if (!nome.isEmpty() && procurado < 0)
        return {};
    for (; indice >= 0; indice = m_documento->m_nos[indice].proximoIrmao) {
        if (procurado < 0 || m_documento->m_nos[indice].nome == procurado)
            return TElementoLido(m_documento, indice);
    }
    return {};
}

TDocumentoLido::TDocumentoLido()
    : m_nomes(std::make_unique<TNomes>())
{ }

TDocumentoLido::~TDocumentoLido() = default;
TDocumentoLido::TDocumentoLido(TDocumentoLido &&) noexcept = default;
TDocumentoLido &TDocumentoLido::operator=(TDocumentoLido &&) noexcept = default;

TDocumentoLido TDocumentoLido::DeBytes(QByteArrayView bytes)
{
    TDocumentoLido documento;
    documento.Ler(bytes);
    return documento;
}

void TDocumentoLido::Ler(QByteArrayView bytes)
{
    // Through a device the parser decodes the bytes a piece at a time, never the whole
    // document into one text.
    const QByteArray dados = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer dispositivo;
    dispositivo.setData(dados);
    dispositivo.open(QIODevice::ReadOnly);
    QXmlStreamReader leitor(&dispositivo);
    // Names are taken as written, prefixes and all, as the writer writes them.
    leitor.setNamespaceProcessing(false);
    // Room for what a quotation's document usually holds, taken at once: growing copies all
    // that was read so far. Room that nothing reaches is never touched.
    m_textos.reserve(bytes.size() / 2);
    m_nos.reserve(static_cast<std::size_t>(bytes.size() / BytesPorElemento) + 1);
    m_leitor = &leitor;
    LerTokens();
    m_leitor = nullptr;
    m_abertos = {};
    m_ultimoFilho = {};
}

void TDocumentoLido::LerTokens()
{
    while (!m_leitor->atEnd()) {
        switch (m_leitor->readNext()) {
        case QXmlStreamReader::StartElement:
            if (m_abertos.size() == ProfundidadeMaxima)
                return Invalidar();
            AbrirElemento();
            break;
        case QXmlStreamReader::EndElement:
            FecharElemento();
            break;
        case QXmlStreamReader::Characters:
            if (!m_abertos.empty())
                m_textos += m_leitor->text();
            if (m_textos.size() > std::numeric_limits<quint32>::max())
                return Invalidar();
            break;
        case QXmlStreamReader::EntityReference: // an entity the parser could not expand
        case QXmlStreamReader::Invalid:
            return Invalidar();
        default:
            break;
        }
    }
}

void TDocumentoLido::AbrirElemento()
{
    const auto indice = static_cast<qint32>(m_nos.size());
    m_nos.push_back({m_nomes->Numero(m_leitor->qualifiedName()), -1, -1,
        static_cast<quint32>(m_textos.size()), 0});
    if (!m_abertos.empty()) {
        qint32 &ultimo = m_ultimoFilho.back();
        if (ultimo < 0)
            m_nos[m_abertos.back()].primeiroFilho = indice;
        else
            m_nos[ultimo].proximoIrmao = indice;
        ultimo = indice;
    }
    m_abertos.push_back(indice);
    m_ultimoFilho.push_back(-1);
}

void TDocumentoLido::FecharElemento()
{
    m_nos[m_abertos.back()].fimTexto = static_cast<quint32>(m_textos.size());
    m_abertos.pop_back();
    m_ultimoFilho.pop_back();
}

void TDocumentoLido::Invalidar()
{
    m_nos.clear();
    m_textos.clear();
}

bool TDocumentoLido::Valido() const
{
    return !m_nos.empty();
}

TElementoLido TDocumentoLido::Raiz() const
{
    return Valido() ? TElementoLido(this, 0) : TElementoLido();
}
