#include "PdfTeste.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString Executar(const QString &programa, const QStringList &argumentos)
{
    QProcess processo;
    processo.start(programa, argumentos);
    if (!processo.waitForFinished(60000) || processo.exitCode() != 0)
        return QString();
    return QString::fromUtf8(processo.readAllStandardOutput());
}

} // namespace

QString TextoDoPdf(const QString &caminho)
{
    return Executar(
        QStringLiteral("pdftotext"), {QStringLiteral("-layout"), caminho, QStringLiteral("-")});
}

int PaginasDoPdf(const QString &caminho)
{
    const QRegularExpression paginas(
        QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto achado = paginas.match(Executar(QStringLiteral("pdfinfo"), {caminho}));
    return achado.hasMatch() ? achado.captured(1).toInt() : -1;
}

QStringList FontesDoPdf(const QString &caminho)
{
    QStringList fontes;
    const QStringList linhas
        = Executar(QStringLiteral("pdffonts"), {caminho}).split(QLatin1Char('\n'));
    for (const QString &linha : linhas.mid(2)) {
        if (!linha.trimmed().isEmpty())
            fontes << linha.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    }
    return fontes;
}

QRectF CaixaDaPalavra(const QString &caminho, const QString &palavra)
{
    // pdftotext -bbox lists every word with its box in points.
    const QString xhtml = Executar(QStringLiteral("pdftotext"),
        {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
            QStringLiteral("1"), caminho, QStringLiteral("-")});
    const QRegularExpression palavras(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    constexpr double MilimetrosPorPonto = 25.4 / 72;
    for (auto achado = palavras.globalMatch(xhtml); achado.hasNext();) {
        const auto palavraAchada = achado.next();
        if (palavraAchada.captured(5) != palavra)
            continue;
        const auto mm
            = [&](int i) { return palavraAchada.captured(i).toDouble() * MilimetrosPorPonto; };
        return QRectF(QPointF(mm(1), mm(2)), QPointF(mm(3), mm(4)));
    }
    return QRectF();
}

QStringList TextosDaPagina(const TPaginaRelatorio &pagina)
{
    QStringList textos;
    for (const TItemPagina &item : pagina.Itens) {
        if (item.Tipo == TItemPagina::Texto)
            textos << item.Conteudo;
    }
    return textos;
}

QStringList TextosDasPaginas(const TRelatorio &relatorio)
{
    QStringList textos;
    for (const TPaginaRelatorio &pagina : relatorio.Paginas())
        textos << TextosDaPagina(pagina);
    return textos;
}

QStringList Lista(std::initializer_list<const char *> textos)
{
    QStringList lista;
    for (const char *texto : textos)
        lista << QString::fromUtf8(texto);
    return lista;
}
