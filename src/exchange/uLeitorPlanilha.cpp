#include "exchange/uLeitorPlanilha.h"

#include "common/uExcecoes.h"
#include "common/uTextoWindows1252.h"
#include "exchange/uZipPlanilha.h"

#include <QByteArrayView>
#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <map>
#include <orcus/csv_parser.hpp>
#include <orcus/orcus_ods.hpp>
#include <orcus/orcus_xlsx.hpp>
#include <orcus/spreadsheet/factory.hpp>
#include <orcus/spreadsheet/import_interface.hpp>
#include <orcus/spreadsheet/styles.hpp>
#include <orcus/string_pool.hpp>
#include <string>
#include <vector>

namespace {

namespace ss = orcus::spreadsheet;

[[noreturn]] void LinhasDemais()
{
    throw EVrtException(
        QStringLiteral("A planilha tem mais de %1 linhas.")
            .arg(QLocale(QLocale::Portuguese, QLocale::Brazil).toString(LimiteLinhasPlanilha)));
}

[[noreturn]] void Danificada()
{
    throw EVrtException(QStringLiteral("A planilha está danificada ou não é do tipo que o "
                                       "nome diz (.xlsx, .ods ou .csv)."));
}

// A text from the library, of which no more than the limit is kept.
QString TextoCortado(std::string_view texto)
{
    // A character takes at most four bytes: a few more than that say that the text is longer.
    const std::size_t bytes = std::size_t(LimiteTextoCelula) * 4 + 4;
    return QString::fromUtf8(texto.data(), qsizetype(std::min(texto.size(), bytes)));
}

// Day count since 30/12/1899 of a date and time of day.
double DiasDesde1899(int ano, int mes, int dia, int hora, int minuto, double segundo)
{
    const QDate data(ano, mes, dia);
    const double dias = data.isValid() ? double(QDate(1899, 12, 30).daysTo(data)) : 0.0;
    return dias + (hora * 3600 + minuto * 60 + segundo) / 86400.0;
}

// The built-in number formats 14 to 22 and 45 to 47 of the xlsx format are dates and times; a
// format of the file's own is one when it shows a day, month, year, hour or second outside
// quoted text and brackets.
bool FormatoDeData(std::size_t identificador, std::string_view codigo)
{
    if ((identificador >= 14 && identificador <= 22)
        || (identificador >= 45 && identificador <= 47))
        return true;
    bool aspas = false;
    bool colchete = false;
    for (std::size_t i = 0; i < codigo.size(); ++i) {
        const char c = codigo[i];
        if (c == '\\' && !aspas) {
            ++i;
        } else if (c == '"') {
            aspas = !aspas;
        } else if (!aspas && c == '[') {
            colchete = true;
        } else if (!aspas && c == ']') {
            colchete = false;
        } else if (!aspas && !colchete
            && std::string_view("dDmMyYhHsS").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

// The cells of the first sheet as the library hands them over.
class TColetor
{
public:
    void Gravar(ss::row_t linha, ss::col_t coluna, TCelulaPlanilha celula)
    {
        if (linha < 0 || coluna < 0)
            return;
        if (linha >= LimiteLinhasPlanilha)
            LinhasDemais();
        if (coluna >= LimiteColunasPlanilha)
            return;
        std::vector<TCelulaPlanilha> &celulas = m_linhas[int(linha)];
        if (celulas.size() <= std::size_t(coluna))
            celulas.resize(std::size_t(coluna) + 1);
        celulas[std::size_t(coluna)] = std::move(celula);
    }
    void Texto(ss::row_t linha, ss::col_t coluna, std::size_t indice)
    {
        TCelulaPlanilha celula;
        celula.Tipo = TTipoCelula::Texto;
        celula.Numero = double(indice);
        Gravar(linha, coluna, celula);
        m_textosCompartilhados.push_back({int(linha), int(coluna)});
    }
    void Formato(ss::row_t linha, ss::col_t coluna, std::size_t formato)
    {
        if (linha >= 0 && linha < LimiteLinhasPlanilha && coluna >= 0
            && coluna < LimiteColunasPlanilha)
            m_formatos[{int(linha), int(coluna)}] = formato;
    }

    // Shared texts in place of their numbers; numbers under a date format made dates.
    TPlanilhaLida Planilha(const std::vector<QString> &compartilhados, const ss::styles &estilos)
    {
        for (const auto &[linha, coluna] : m_textosCompartilhados) {
            TCelulaPlanilha &celula = m_linhas[linha][std::size_t(coluna)];
            if (celula.Tipo != TTipoCelula::Texto)
                continue;
            const std::size_t indice = std::size_t(celula.Numero);
            celula = CelulaDeTexto(
                indice < compartilhados.size() ? compartilhados[indice] : QString());
        }
        // A file has a handful of styles for its many cells: each is looked up once.
        std::map<std::size_t, bool> estilosDeData;
        for (const auto &[posicao, formato] : m_formatos) {
            auto linha = m_linhas.find(posicao.first);
            if (linha == m_linhas.end() || linha->second.size() <= std::size_t(posicao.second))
                continue;
            TCelulaPlanilha &celula = linha->second[std::size_t(posicao.second)];
            if (celula.Tipo != TTipoCelula::Numero)
                continue;
            auto [estilo, novo] = estilosDeData.try_emplace(formato, false);
            if (novo)
                estilo->second = FormatoDeDataDoEstilo(estilos, formato);
            if (estilo->second)
                celula.Tipo = TTipoCelula::Data;
        }
        TPlanilhaLida planilha;
        for (auto &[linha, celulas] : m_linhas) {
            bool vazia = true;
            for (const TCelulaPlanilha &celula : celulas)
                vazia = vazia && celula.Tipo == TTipoCelula::Vazia;
            if (!vazia)
                planilha.Linhas.push_back({linha + 1, std::move(celulas)});
        }
        return planilha;
    }

private:
    static bool FormatoDeDataDoEstilo(const ss::styles &estilos, std::size_t formato)
    {
        const ss::cell_format_t *celula = estilos.get_cell_format(formato);
        if (!celula)
            return false;
        // Cells name their number format by its identifier in the file.
        for (std::size_t i = 0; i < estilos.get_number_format_count(); ++i) {
            const ss::number_format_t *numero = estilos.get_number_format(i);
            if (numero && numero->identifier == celula->number_format)
                return FormatoDeData(numero->identifier, numero->format_string);
        }
        return FormatoDeData(celula->number_format, {});
    }

    std::map<int, std::vector<TCelulaPlanilha>> m_linhas;
    std::vector<std::pair<int, int>> m_textosCompartilhados;
    std::map<std::pair<int, int>, std::size_t> m_formatos;
};

class TTextosCompartilhados : public ss::iface::import_shared_strings
{
public:
    std::size_t append(std::string_view s) override
    {
        m_textos.push_back(TextoCortado(s));
        return m_textos.size() - 1;
    }
    std::size_t add(std::string_view s) override { return append(s); }
    void set_segment_font(std::size_t) override { }
    void set_segment_bold(bool) override { }
    void set_segment_italic(bool) override { }
    void set_segment_font_name(std::string_view) override { }
    void set_segment_font_size(double) override { }
    void set_segment_font_color(
        ss::color_elem_t, ss::color_elem_t, ss::color_elem_t, ss::color_elem_t) override
    { }
    void append_segment(std::string_view s) override
    {
        if (m_segmentos.size() <= std::size_t(LimiteTextoCelula) * 4)
            m_segmentos.append(s);
    }
    std::size_t commit_segments() override
    {
        const std::size_t indice = append(m_segmentos);
        m_segmentos.clear();
        return indice;
    }
    const std::vector<QString> &Textos() const { return m_textos; }

private:
    std::vector<QString> m_textos;
    std::string m_segmentos;
};

// A formula cell counts by its cached result.
class TFormula : public ss::iface::import_formula
{
public:
    explicit TFormula(TColetor *coletor)
        : m_coletor(coletor)
    { }
    void set_position(ss::row_t linha, ss::col_t coluna) override
    {
        m_linha = linha;
        m_coluna = coluna;
        m_resultado = {};
    }
    void set_formula(ss::formula_grammar_t, std::string_view) override { }
    void set_shared_formula_index(std::size_t) override { }
    void set_result_string(std::string_view valor) override
    {
        m_resultado = CelulaDeTexto(TextoCortado(valor));
    }
    void set_result_value(double valor) override
    {
        m_resultado = {};
        m_resultado.Tipo = TTipoCelula::Numero;
        m_resultado.Numero = valor;
    }
    void set_result_bool(bool valor) override
    {
        m_resultado = {};
        m_resultado.Tipo = TTipoCelula::Booleano;
        m_resultado.Numero = valor ? 1 : 0;
    }
    void set_result_empty() override { m_resultado = {}; }
    void commit() override
    {
        if (m_coletor)
            m_coletor->Gravar(m_linha, m_coluna, m_resultado);
    }

private:
    TColetor *m_coletor; // none for the sheets that do not count
    ss::row_t m_linha = -1;
    ss::col_t m_coluna = -1;
    TCelulaPlanilha m_resultado;
};

class TFolha : public ss::iface::import_sheet
{
public:
    explicit TFolha(TColetor *coletor)
        : m_coletor(coletor)
    { }
    ss::iface::import_formula *get_formula() override { return &m_formula; }
    void set_auto(ss::row_t linha, ss::col_t coluna, std::string_view texto) override
    {
        if (m_coletor)
            m_coletor->Gravar(linha, coluna, CelulaDeTexto(TextoCortado(texto)));
    }
    void set_string(ss::row_t linha, ss::col_t coluna, ss::string_id_t indice) override
    {
        if (m_coletor)
            m_coletor->Texto(linha, coluna, indice);
    }
    void set_value(ss::row_t linha, ss::col_t coluna, double valor) override
    {
        Gravar(linha, coluna, TTipoCelula::Numero, valor);
    }
    void set_bool(ss::row_t linha, ss::col_t coluna, bool valor) override
    {
        Gravar(linha, coluna, TTipoCelula::Booleano, valor ? 1 : 0);
    }
    void set_date_time(ss::row_t linha, ss::col_t coluna, int ano, int mes, int dia, int hora,
        int minuto, double segundo) override
    {
        Gravar(
            linha, coluna, TTipoCelula::Data, DiasDesde1899(ano, mes, dia, hora, minuto, segundo));
    }
    void set_format(ss::row_t linha, ss::col_t coluna, std::size_t formato) override
    {
        if (m_coletor)
            m_coletor->Formato(linha, coluna, formato);
    }
    void set_format(ss::row_t, ss::col_t, ss::row_t, ss::col_t, std::size_t) override { }
    void fill_down_cells(ss::row_t, ss::col_t, ss::row_t) override { }
    ss::range_size_t get_sheet_size() const override { return {1048576, 16384}; }

private:
    void Gravar(ss::row_t linha, ss::col_t coluna, TTipoCelula tipo, double valor)
    {
        if (!m_coletor)
            return;
        TCelulaPlanilha celula;
        celula.Tipo = tipo;
        celula.Numero = valor;
        m_coletor->Gravar(linha, coluna, celula);
    }

    TColetor *m_coletor; // none for the sheets that do not count
    TFormula m_formula {m_coletor};
};

// Cell addresses such as "B12" or "$B$12", as the xlsx reader asks for them.
class TEnderecos : public ss::iface::import_reference_resolver
{
public:
    ss::src_address_t resolve_address(std::string_view endereco) override
    {
        ss::src_address_t resultado {};
        long coluna = 0;
        long linha = 0;
        for (const char c : endereco) {
            if (c >= 'A' && c <= 'Z')
                coluna = std::min(coluna * 26 + (c - 'A' + 1), 1L << 20);
            else if (c >= 'a' && c <= 'z')
                coluna = std::min(coluna * 26 + (c - 'a' + 1), 1L << 20);
            else if (c >= '0' && c <= '9')
                linha = std::min(linha * 10 + (c - '0'), 1L << 24);
            else if (c != '$')
                throw EVrtException(QStringLiteral("A planilha tem um endereço de célula "
                                                   "inválido."));
        }
        resultado.row = ss::row_t(linha - 1);
        resultado.column = ss::col_t(coluna - 1);
        return resultado;
    }
    ss::src_range_t resolve_range(std::string_view intervalo) override
    {
        const std::size_t separador = intervalo.find(':');
        ss::src_range_t resultado {};
        resultado.first = resolve_address(intervalo.substr(0, separador));
        resultado.last = separador == std::string_view::npos
            ? resultado.first
            : resolve_address(intervalo.substr(separador + 1));
        return resultado;
    }
};

// Hands the first sheet to the collector; every other sheet is read into nothing.
class TFabrica : public ss::iface::import_factory
{
public:
    ss::iface::import_shared_strings *get_shared_strings() override { return &m_textos; }
    ss::iface::import_styles *get_styles() override { return &m_importacaoEstilos; }
    ss::iface::import_reference_resolver *get_reference_resolver(ss::formula_ref_context_t) override
    {
        return &m_enderecos;
    }
    ss::iface::import_sheet *append_sheet(ss::sheet_t indice, std::string_view nome) override
    {
        if (indice == 0)
            m_nomePrimeira = nome;
        return get_sheet(indice);
    }
    ss::iface::import_sheet *get_sheet(std::string_view nome) override
    {
        return nome == m_nomePrimeira ? &m_primeira : &m_outras;
    }
    ss::iface::import_sheet *get_sheet(ss::sheet_t indice) override
    {
        return indice == 0 ? &m_primeira : &m_outras;
    }
    void finalize() override { }

    TPlanilhaLida Planilha() { return m_coletor.Planilha(m_textos.Textos(), m_estilos); }

private:
    TColetor m_coletor;
    std::string m_nomePrimeira;
    TTextosCompartilhados m_textos;
    orcus::string_pool m_cadeias;
    ss::styles m_estilos;
    ss::import_styles m_importacaoEstilos {m_estilos, m_cadeias};
    TEnderecos m_enderecos;
    TFolha m_primeira {&m_coletor};
    TFolha m_outras {nullptr};
};

// The rows of a ";"-separated file; every cell is text.
class TLinhasCsv
{
public:
    explicit TLinhasCsv(bool windows1252)
        : m_windows1252(windows1252)
    { }
    void begin_parse() { }
    void end_parse() { }
    void begin_row() { m_celulas.clear(); }
    void end_row()
    {
        ++m_linha;
        if (m_linha > LimiteLinhasPlanilha)
            LinhasDemais();
        bool vazia = true;
        for (const TCelulaPlanilha &celula : m_celulas)
            vazia = vazia && celula.Tipo == TTipoCelula::Vazia;
        if (!vazia)
            m_planilha.Linhas.push_back({m_linha, std::move(m_celulas)});
        m_celulas.clear();
    }
    void cell(const char *inicio, std::size_t tamanho, bool)
    {
        if (m_celulas.size() >= std::size_t(LimiteColunasPlanilha))
            return;
        const std::string_view texto(inicio ? inicio : "", inicio ? tamanho : 0);
        if (texto.empty()) {
            m_celulas.emplace_back();
            return;
        }
        const std::string_view cortado = texto.substr(0, std::size_t(LimiteTextoCelula) * 4 + 4);
        m_celulas.push_back(CelulaDeTexto(m_windows1252
                ? TextoWindows1252(QByteArray(cortado.data(), qsizetype(cortado.size())))
                : QString::fromUtf8(cortado.data(), qsizetype(cortado.size()))));
    }
    TPlanilhaLida &Planilha() { return m_planilha; }

private:
    bool m_windows1252;
    int m_linha = 0;
    std::vector<TCelulaPlanilha> m_celulas;
    TPlanilhaLida m_planilha;
};

// Brazilian spreadsheet programs write CSV in UTF-8 with a byte-order mark, or in the Windows
// code page; bytes that are not UTF-8 are read as the latter.
TPlanilhaLida LerCsv(QByteArray bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    // The parser ends rows at LF alone, and takes a CR after a closing quote for text.
    bytes.replace("\r\n", "\n");
    TLinhasCsv linhas(!QByteArrayView(bytes).isValidUtf8());
    orcus::csv::parser_config configuracao;
    configuracao.delimiters = ";";
    configuracao.text_qualifier = '"';
    configuracao.trim_cell_value = false;
    orcus::csv_parser<TLinhasCsv> leitor(
        bytes.constData(), std::size_t(bytes.size()), linhas, configuracao);
    leitor.parse();
    return std::move(linhas.Planilha());
}

TPlanilhaLida LerCompactada(const QByteArray &bytes, TFormatoPlanilha formato)
{
    // Each format's own part: the library reads an archive of the other kind as an empty one.
    const QString parteDoFormato = formato == TFormatoPlanilha::Xlsx
        ? QStringLiteral("[Content_Types].xml")
        : QStringLiteral("content.xml");
    if (!VerificarZipPlanilha(bytes).contains(parteDoFormato))
        Danificada();
    TFabrica fabrica;
    const std::string_view fluxo(bytes.constData(), std::size_t(bytes.size()));
    if (formato == TFormatoPlanilha::Xlsx) {
        orcus::orcus_xlsx filtro(&fabrica);
        filtro.read_stream(fluxo);
    } else {
        orcus::orcus_ods filtro(&fabrica);
        filtro.read_stream(fluxo);
    }
    return fabrica.Planilha();
}

} // namespace

std::optional<TFormatoPlanilha> FormatoPlanilha(const QString &arquivo)
{
    const QString extensao = QFileInfo(arquivo).suffix().toLower();
    if (extensao == QLatin1String("xlsx"))
        return TFormatoPlanilha::Xlsx;
    if (extensao == QLatin1String("ods"))
        return TFormatoPlanilha::Ods;
    if (extensao == QLatin1String("csv"))
        return TFormatoPlanilha::Csv;
    return std::nullopt;
}

TPlanilhaLida LerPlanilha(const QString &arquivo)
{
    const std::optional<TFormatoPlanilha> formato = FormatoPlanilha(arquivo);
    if (!formato)
        throw EVrtException(QStringLiteral("A planilha %1 não é do tipo .xlsx, .ods ou .csv.")
                                .arg(QFileInfo(arquivo).fileName()));
    QFile entrada(arquivo);
    if (!entrada.open(QIODevice::ReadOnly))
        throw EVrtException(QStringLiteral("Não foi possível ler a planilha %1.").arg(arquivo));
    if (entrada.size() > LimiteArquivoPlanilha)
        throw EVrtException(QStringLiteral("A planilha é grande demais: passa de %1 MB.")
                                .arg(LimiteArquivoPlanilha / (1024 * 1024)));
    return LerPlanilha(entrada.readAll(), *formato);
}

TPlanilhaLida LerPlanilha(const QByteArray &bytes, TFormatoPlanilha formato)
{
    if (bytes.size() > LimiteArquivoPlanilha)
        throw EVrtException(QStringLiteral("A planilha é grande demais: passa de %1 MB.")
                                .arg(LimiteArquivoPlanilha / (1024 * 1024)));
    try {
        if (formato == TFormatoPlanilha::Csv)
            return LerCsv(bytes);
        return LerCompactada(bytes, formato);
    } catch (const EVrtException &) {
        throw;
    } catch (const std::exception &) {
        // The library's own errors: a part that is not the XML it should be, and the like.
        Danificada();
    }
}
