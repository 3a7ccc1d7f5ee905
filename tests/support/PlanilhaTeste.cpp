#include "support/PlanilhaTeste.h"

#include <QtEndian>

#include <zlib.h>

namespace {

void U16(QByteArray &saida, quint16 valor)
{
    char bytes[2];
    qToLittleEndian(valor, bytes);
    saida.append(bytes, 2);
}

void U32(QByteArray &saida, quint32 valor)
{
    char bytes[4];
    qToLittleEndian(valor, bytes);
    saida.append(bytes, 4);
}

QByteArray Deflate(const QByteArray &dados)
{
    z_stream fluxo {};
    deflateInit2(&fluxo, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    QByteArray saida(qsizetype(deflateBound(&fluxo, uLong(dados.size()))), '\0');
    fluxo.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(dados.constData()));
    fluxo.avail_in = uInt(dados.size());
    fluxo.next_out = reinterpret_cast<Bytef *>(saida.data());
    fluxo.avail_out = uInt(saida.size());
    deflate(&fluxo, Z_FINISH);
    saida.resize(qsizetype(fluxo.total_out));
    deflateEnd(&fluxo);
    return saida;
}

QByteArray Inflate(const char *dados, qsizetype tamanho, qsizetype esperado)
{
    QByteArray saida(esperado, '\0');
    z_stream fluxo {};
    inflateInit2(&fluxo, -MAX_WBITS);
    fluxo.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(dados));
    fluxo.avail_in = uInt(tamanho);
    fluxo.next_out = reinterpret_cast<Bytef *>(saida.data());
    fluxo.avail_out = uInt(saida.size());
    inflate(&fluxo, Z_FINISH);
    inflateEnd(&fluxo);
    return saida;
}

} // namespace

QByteArray ZipTeste(const std::vector<TParteZip> &partes)
{
    QByteArray zip;
    QByteArray diretorio;
    for (const TParteZip &parte : partes) {
        const QByteArray nome = parte.nome.toUtf8();
        const QByteArray compactado = Deflate(parte.dados);
        const quint32 crc = quint32(crc32(
            0, reinterpret_cast<const Bytef *>(parte.dados.constData()), uInt(parte.dados.size())));
        const quint32 tamanho
            = quint32(parte.tamanhoDeclarado < 0 ? parte.dados.size() : parte.tamanhoDeclarado);
        const quint32 posicao = quint32(zip.size());
        U32(zip, 0x04034b50);
        for (quint16 campo : {quint16(20), quint16(0), quint16(8), quint16(0), quint16(0)})
            U16(zip, campo);
        U32(zip, crc);
        U32(zip, quint32(compactado.size()));
        U32(zip, tamanho);
        U16(zip, quint16(nome.size()));
        U16(zip, 0);
        zip.append(nome);
        zip.append(compactado);

        U32(diretorio, 0x02014b50);
        for (quint16 campo :
            {quint16(20), quint16(20), quint16(0), quint16(8), quint16(0), quint16(0)})
            U16(diretorio, campo);
        U32(diretorio, crc);
        U32(diretorio, quint32(compactado.size()));
        U32(diretorio, tamanho);
        U16(diretorio, quint16(nome.size()));
        for (int i = 0; i < 4; ++i)
            U16(diretorio, 0);
        U32(diretorio, 0);
        U32(diretorio, posicao);
        diretorio.append(nome);
    }
    const quint32 inicio = quint32(zip.size());
    zip.append(diretorio);
    U32(zip, 0x06054b50);
    U16(zip, 0);
    U16(zip, 0);
    U16(zip, quint16(partes.size()));
    U16(zip, quint16(partes.size()));
    U32(zip, quint32(diretorio.size()));
    U32(zip, inicio);
    U16(zip, 0);
    return zip;
}

QByteArray XlsxTeste(
    const QByteArray &dadosDaFolha, qint64 tamanhoDeclarado, const QByteArray &texto)
{
    const QByteArray tipos = R"(<?xml version="1.0" encoding="UTF-8"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/><Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/><Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/></Types>)";
    const QByteArray relacoes = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
    const QByteArray pasta = R"(<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Itens" sheetId="1" r:id="rId1"/></sheets></workbook>)";
    const QByteArray relacoesPasta = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";
    const QByteArray textos = QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="1" uniqueCount="1"><si><t>)")
        + texto + QByteArray("</t></si></sst>");
    const QByteArray folha = QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)")
        + dadosDaFolha + QByteArray("</sheetData></worksheet>");
    return ZipTeste({{QStringLiteral("[Content_Types].xml"), tipos},
        {QStringLiteral("_rels/.rels"), relacoes}, {QStringLiteral("xl/workbook.xml"), pasta},
        {QStringLiteral("xl/_rels/workbook.xml.rels"), relacoesPasta},
        {QStringLiteral("xl/sharedStrings.xml"), textos},
        {QStringLiteral("xl/worksheets/sheet1.xml"), folha, tamanhoDeclarado}});
}

QByteArray ParteDoZip(const QByteArray &zip, const QString &nome)
{
    const QByteArray procurado = nome.toUtf8();
    const qsizetype fim = zip.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (fim < 0)
        return {};
    const char *base = zip.constData();
    const int partes = qFromLittleEndian<quint16>(base + fim + 10);
    qsizetype posicao = qFromLittleEndian<quint32>(base + fim + 16);
    for (int i = 0; i < partes; ++i) {
        const quint16 metodo = qFromLittleEndian<quint16>(base + posicao + 10);
        const quint32 compactado = qFromLittleEndian<quint32>(base + posicao + 20);
        const quint32 tamanho = qFromLittleEndian<quint32>(base + posicao + 24);
        const quint16 nomeTamanho = qFromLittleEndian<quint16>(base + posicao + 28);
        const quint16 extra = qFromLittleEndian<quint16>(base + posicao + 30);
        const quint16 comentario = qFromLittleEndian<quint16>(base + posicao + 32);
        const quint32 local = qFromLittleEndian<quint32>(base + posicao + 42);
        if (QByteArray(base + posicao + 46, nomeTamanho) == procurado) {
            const qsizetype dados = local + 30 + qFromLittleEndian<quint16>(base + local + 26)
                + qFromLittleEndian<quint16>(base + local + 28);
            if (metodo == 0)
                return zip.mid(dados, compactado);
            return Inflate(base + dados, compactado, tamanho);
        }
        posicao += 46 + nomeTamanho + extra + comentario;
    }
    return {};
}
