// gerar-amostras: builds the sample quotation files of samples/ from their readable sources.
//
// Each source is a JSON object whose keys are the model's property names. Texts that the
// file carries as hexadecimal are written here as plain text (Windows-1252, as the public
// body's programs write them); dates are "dd/MM/yyyy" and times "HH:mm"; "Brasao" names the
// colour ("#rrggbb") of a coat of arms drawn here and stored as JPEG; "arquivo" is the base
// name of the .kvt as the public body sends it. An answered quotation also carries the
// supplier's "CpfCnpjFornecedor", "ValorTotalCotado", and per item "ValorCotado", "Marca" and
// "Observacao". The output is byte for byte the same on every run.

#include "common/uConversoes.h"
#include "exchange/uVTExpImpCotacao.h"
#include "model/uVTExpImpCotacaoDados.h"

#include <QBuffer>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPainterPath>
#include <QStringEncoder>
#include <QTextStream>

#include <memory>

namespace {

// The text in the Western Windows code page, as the public body's programs write it.
QByteArray BytesWindows1252(const QString &texto)
{
    QStringEncoder codificador("windows-1252", QStringEncoder::Flag::Stateless);
    const QByteArray bytes = codificador.encode(texto);
    if (!codificador.isValid() || codificador.hasError())
        throw std::runtime_error("text outside Windows-1252: " + texto.toStdString());
    return bytes;
}

QString Hexa(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString TextoHexa(const QJsonObject &fonte, const char *chave)
{
    return Hexa(BytesWindows1252(fonte.value(QLatin1String(chave)).toString()));
}

// A simple coat of arms: a shield in the given colour ("#rrggbb") with a white band and five
// stars.
QByteArray BrasaoJpeg(const QString &nomeCor)
{
    const QColor cor(nomeCor);
    if (!cor.isValid())
        throw std::runtime_error("not a colour: " + nomeCor.toStdString());
    QImage imagem(150, 150, QImage::Format_RGB32);
    imagem.fill(Qt::white);
    QPainter p(&imagem);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath escudo;
    escudo.moveTo(20, 12);
    escudo.lineTo(130, 12);
    escudo.lineTo(130, 80);
    escudo.quadTo(128, 125, 75, 140);
    escudo.quadTo(22, 125, 20, 80);
    escudo.closeSubpath();
    p.fillPath(escudo, cor);
    p.setPen(QPen(QColor(0xC8, 0xA0, 0x32), 5));
    p.drawPath(escudo);
    p.fillRect(QRectF(22, 58, 106, 22), Qt::white);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC8, 0xA0, 0x32));
    for (int i = 0; i < 5; ++i) {
        const QPointF centro(38 + i * 18.5, 36);
        QPolygonF estrela;
        for (int k = 0; k < 10; ++k) {
            const double raio = k % 2 == 0 ? 7.0 : 3.0;
            const double angulo = -M_PI / 2 + k * M_PI / 5;
            estrela << centro + QPointF(raio * std::cos(angulo), raio * std::sin(angulo));
        }
        p.drawPolygon(estrela);
    }
    p.end();

    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter escritor(&buffer, "jpeg");
    escritor.setQuality(90);
    if (!escritor.write(imagem))
        throw std::runtime_error("cannot encode the coat of arms");
    return jpeg;
}

double DataHora(const QJsonObject &fonte, const char *chave)
{
    const QString texto = fonte.value(QLatin1String(chave)).toString();
    return texto.isEmpty() ? 0.0 : TextoParaDataHora(texto);
}

void LerItem(TItem &item, const QJsonObject &fonte)
{
    item.Codigo = fonte.value(QLatin1String("Codigo")).toInt();
    item.CodigoMatServ = fonte.value(QLatin1String("CodigoMatServ")).toInt();
    item.Tratamento = fonte.value(QLatin1String("Tratamento")).toInt();
    item.DescricaoMatServ = fonte.value(QLatin1String("DescricaoMatServ")).toString();
    item.ObjetoResumidoMatServ = fonte.value(QLatin1String("ObjetoResumidoMatServ")).toString();
    item.ObjetoResumidoItem = fonte.value(QLatin1String("ObjetoResumidoItem")).toString();
    item.Quantidade = fonte.value(QLatin1String("Quantidade")).toDouble();
    item.QuantidadeMinima = fonte.value(QLatin1String("QuantidadeMinima")).toDouble();
    item.ValorEstimado = fonte.value(QLatin1String("ValorEstimado")).toDouble();
    item.ValorMaximo = fonte.value(QLatin1String("ValorMaximo")).toDouble();
    // The supplier's answers, present only in answered quotations.
    item.ValorCotado = fonte.value(QLatin1String("ValorCotado")).toDouble();
    item.Marca = fonte.value(QLatin1String("Marca")).toString();
    item.Observacao = fonte.value(QLatin1String("Observacao")).toString();
}

std::unique_ptr<TItens> LerItens(const QJsonArray &fontes)
{
    auto itens = std::make_unique<TItens>();
    for (const QJsonValue &fonte : fontes)
        LerItem(itens->Adicionar(std::make_unique<TItem>()), fonte.toObject());
    return itens;
}

void LerCotacao(TDadosCotacao &cotacao, const QJsonObject &fonte)
{
    const auto inteiro
        = [&](const char *chave) { return fonte.value(QLatin1String(chave)).toInt(); };
    const auto texto
        = [&](const char *chave) { return fonte.value(QLatin1String(chave)).toString(); };

    cotacao.TipoCotacao = inteiro("TipoCotacao");
    cotacao.EntidadeCodigo = inteiro("EntidadeCodigo");
    cotacao.EntidadeSerie = inteiro("EntidadeSerie");
    cotacao.EntidadeNome = texto("EntidadeNome");
    cotacao.BrasaoRelatorio = Hexa(BrasaoJpeg(texto("Brasao")));
    cotacao.Ano = inteiro("Ano");
    cotacao.Sequencia = inteiro("Sequencia");
    cotacao.FormaJulgamento = texto("FormaJulgamento");
    cotacao.ObjetoResumido = TextoHexa(fonte, "ObjetoResumido");
    cotacao.FormaEntrega = texto("FormaEntrega");
    cotacao.PrazoEntrega = TextoHexa(fonte, "PrazoEntrega");
    cotacao.LocalEntregaMatServ = TextoHexa(fonte, "LocalEntregaMatServ");
    cotacao.LocalEntregaProposta = TextoHexa(fonte, "LocalEntregaProposta");
    cotacao.DataEntregaProposta = DataHora(fonte, "DataEntregaProposta");
    cotacao.HoraEntregaProposta = DataHora(fonte, "HoraEntregaProposta");
    cotacao.CpfCnpjFornecedor = texto("CpfCnpjFornecedor");
    cotacao.ValorTotalCotado = fonte.value(QLatin1String("ValorTotalCotado")).toDouble();

    if (cotacao.TipoCotacao == tcLicitacao) {
        cotacao.NumeroAlfa = texto("NumeroAlfa");
        cotacao.Modalidade = texto("Modalidade");
        cotacao.TipoLicitacao = texto("TipoLicitacao");
        cotacao.Tratamento = inteiro("Tratamento");
        cotacao.LocalAbertura = TextoHexa(fonte, "LocalAbertura");
        cotacao.DataAbertura = DataHora(fonte, "DataAbertura");
        cotacao.HoraAbertura = DataHora(fonte, "HoraAbertura");
        cotacao.ValorTotalLicitado = fonte.value(QLatin1String("ValorTotalLicitado")).toDouble();
        cotacao.RegistroPrecos = fonte.value(QLatin1String("RegistroPrecos")).toBool();
    } else {
        cotacao.PesquisaCodigo = inteiro("PesquisaCodigo");
        cotacao.DataEmissao = DataHora(fonte, "DataEmissao");
        cotacao.Observacao = TextoHexa(fonte, "Observacao");
    }

    if (FormaComItens(cotacao.FormaJulgamento))
        cotacao.SetItens(LerItens(fonte.value(QLatin1String("Itens")).toArray()));
    if (FormaComGrupos(cotacao.FormaJulgamento)) {
        auto grupos = std::make_unique<TGrupos>();
        for (const QJsonValue &valor : fonte.value(QLatin1String("Grupos")).toArray()) {
            const QJsonObject lote = valor.toObject();
            TGrupo &grupo = grupos->Adicionar(std::make_unique<TGrupo>());
            grupo.Codigo = lote.value(QLatin1String("Codigo")).toInt();
            grupo.Descricao = lote.value(QLatin1String("Descricao")).toString();
            grupo.Valor = lote.value(QLatin1String("Valor")).toDouble();
            grupo.Tratamento = lote.value(QLatin1String("Tratamento")).toInt();
            for (const QJsonValue &item : lote.value(QLatin1String("Itens")).toArray())
                LerItem(grupo.Itens().Adicionar(std::make_unique<TItem>()), item.toObject());
        }
        cotacao.SetGrupos(std::move(grupos));
    }
}

// Writes the quotation of one source as saidaDir/<arquivo>.kvt.
void GerarAmostra(const QString &caminhoFonte, const QString &pastaSaida)
{
    QFile arquivo(caminhoFonte);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + caminhoFonte.toStdString());
    QJsonParseError erro;
    const QJsonDocument json = QJsonDocument::fromJson(arquivo.readAll(), &erro);
    if (json.isNull())
        throw std::runtime_error(
            caminhoFonte.toStdString() + ": " + erro.errorString().toStdString());
    const QJsonObject fonte = json.object();

    TDadosCotacao cotacao;
    LerCotacao(cotacao, fonte);

    GravarArquivoCotacao(cotacao, pastaSaida, fonte.value(QLatin1String("arquivo")).toString());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() != 3) {
        QTextStream(stderr) << "Uso: gerar-amostras PASTA_FONTES PASTA_SAIDA" << Qt::endl;
        return 2;
    }
    try {
        const QDir fontes(argumentos.at(1));
        for (const QString &nome :
            fontes.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
            GerarAmostra(fontes.filePath(nome), argumentos.at(2));
    } catch (const std::exception &e) {
        QTextStream(stderr) << "erro: " << e.what() << Qt::endl;
        return 1;
    }
    return 0;
}
