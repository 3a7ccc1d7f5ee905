#include "components/VrtDBImage.h"

#include "common/uConfiguracaoRegional.h"
#include "common/uExcecoes.h"
#include "components/MemTable.h"
#include "messages/ExibeMensagens.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QImageWriter>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>

const QString FiltroImagensVrt
    = QStringLiteral("Todas imagens (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|"
                     "Arquivo imagem JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|"
                     "Arquivo imagem Bitmap (*.bmp)|*.bmp");

namespace {

const QString Titulo = QStringLiteral("Atenção");
constexpr int LarguraBotao = 20;
constexpr int QualidadeJpeg = 70;
// What one picture may take to decode, and the largest picture file that is read at all.
constexpr int LimiteAlocacaoMiB = 128;
constexpr qint64 TamanhoMaximoArquivo = qint64(LimiteAlocacaoMiB) * 1024 * 1024;

// Decodes bytes in exactly one format, never guessing another, within the allocation limit.
QImage LerImagem(const QByteArray &dados, const char *formato)
{
    QBuffer buffer;
    buffer.setData(dados);
    buffer.open(QIODevice::ReadOnly);
    QImageReader leitor(&buffer, formato);
    leitor.setAutoDetectImageFormat(false);
    leitor.setAllocationLimit(LimiteAlocacaoMiB);
    QImage imagem;
    if (!leitor.read(&imagem))
        return QImage();
    return imagem;
}

QByteArray GravarJpeg(const QImage &imagem)
{
    QByteArray dados;
    QBuffer buffer(&dados);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter escritor(&buffer, "jpeg");
    escritor.setQuality(QualidadeJpeg);
    if (!escritor.write(imagem))
        return QByteArray();
    return dados;
}

TFigura Figura(const QByteArray &dados, TFormatoFigura formato)
{
    TFigura figura;
    figura.Imagem = LerImagem(dados, formato == ffBitmap ? "bmp" : "jpeg");
    if (!figura.Imagem.isNull()) {
        figura.Dados = dados;
        figura.Formato = formato;
    }
    return figura;
}

// Stored data by its first bytes: "BM" a bitmap, FF D8 a JPEG; other data is tried as JPEG,
// then as a bitmap. An empty picture when nothing reads it.
TFigura DecodificarDados(const QByteArray &dados)
{
    if (dados.startsWith("BM"))
        return Figura(dados, ffBitmap);
    if (dados.startsWith("\xFF\xD8"))
        return Figura(dados, ffJpeg);
    TFigura figura = Figura(dados, ffJpeg);
    return figura.Vazia() ? Figura(dados, ffBitmap) : figura;
}

bool ExtensaoBitmap(const QString &arquivo)
{
    return QFileInfo(arquivo).suffix().toUpper() == QLatin1String("BMP");
}

// A picture file: ".BMP" as a bitmap, anything else as JPEG.
TFigura LerArquivo(const QString &arquivo)
{
    QFile entrada(arquivo);
    if (entrada.size() > TamanhoMaximoArquivo || !entrada.open(QIODevice::ReadOnly))
        return TFigura();
    return Figura(entrada.readAll(), ExtensaoBitmap(arquivo) ? ffBitmap : ffJpeg);
}

QString Decimal(double valor, char formato, int precisao)
{
    return QString::number(valor, formato, precisao)
        .replace(QLatin1Char('.'), FormatoBrasileiro().DecimalSeparator);
}

QString Centimetros(double valor)
{
    return Decimal(valor, 'f', 2);
}

double LarguraCm(const QImage &imagem, double ppi)
{
    return PixelsParaCm(imagem.width(), ppi);
}

double AlturaCm(const QImage &imagem, double ppi)
{
    return PixelsParaCm(imagem.height(), ppi);
}

// The glyphs of the buttons, drawn here rather than shipped as bitmaps.
QPixmap DesenharGlifo(const QString &nome, bool desabilitado)
{
    QPixmap glifo(16, 16);
    glifo.fill(Qt::transparent);
    QPainter p(&glifo);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tinta = desabilitado ? QColor(160, 160, 160) : QColor(20, 20, 20);
    if (nome == QLatin1String("TRES_PONTOS")) {
        p.setPen(Qt::NoPen);
        p.setBrush(tinta);
        for (int x : {2, 7, 12})
            p.drawEllipse(QRectF(x, 10, 2.6, 2.6));
    } else if (nome == QLatin1String("IC_APAGAR")) {
        p.setPen(
            QPen(desabilitado ? tinta : QColor(200, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    } else if (nome == QLatin1String("IC_LUPA")) {
        p.setPen(QPen(tinta, 1.6));
        p.setBrush(desabilitado ? Qt::transparent : QColor(200, 225, 255));
        p.drawEllipse(QRectF(2, 2, 8, 8));
        p.setPen(QPen(tinta, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    } else if (nome == QLatin1String("PREVIEWGLYPH")) {
        // A small landscape in a frame.
        p.setPen(QPen(tinta, 1));
        p.setBrush(desabilitado ? Qt::transparent : QColor(210, 235, 255));
        p.drawRect(QRectF(1.5, 2.5, 13, 11));
        QPainterPath monte;
        monte.moveTo(2, 13);
        monte.lineTo(6, 7);
        monte.lineTo(9, 11);
        monte.lineTo(11, 9);
        monte.lineTo(14, 13);
        monte.closeSubpath();
        p.setBrush(desabilitado ? tinta : QColor(60, 140, 60));
        p.drawPath(monte);
    }
    return glifo;
}

QIcon Glifo(const QString &nome)
{
    QIcon icone;
    icone.addPixmap(DesenharGlifo(nome, false), QIcon::Normal);
    icone.addPixmap(DesenharGlifo(nome, true), QIcon::Disabled);
    return icone;
}

} // namespace

double PixelsParaCm(int pixels, double pixelsPorPolegada)
{
    const double centimetros = pixels * 2.54 / pixelsPorPolegada;
    return std::floor(centimetros * 100 + 0.501) / 100;
}

double PixelsPorPolegadaDaTela()
{
    const QScreen *tela = QGuiApplication::primaryScreen();
    return tela ? tela->logicalDotsPerInch() : 96.0;
}

// The picture inside the scroll box: natural size from a corner, centred, or stretched.
class TVrtQuadroImagem : public QWidget
{
public:
    explicit TVrtQuadroImagem(QWidget *parent)
        : QWidget(parent)
    { }

    void SetImagem(const QImage &imagem)
    {
        m_imagem = imagem;
        update();
    }
    const QImage &Imagem() const { return m_imagem; }
    bool Esticar = false;
    bool Centralizar = false;
    QPoint Origem; // where the picture's corner sits at natural size

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (m_imagem.isNull())
            return;
        QPainter p(this);
        if (Esticar) {
            p.drawImage(rect(), m_imagem);
            return;
        }
        QPoint canto = Origem;
        if (Centralizar)
            canto = QPoint((width() - m_imagem.width()) / 2, (height() - m_imagem.height()) / 2);
        p.drawImage(canto, m_imagem);
    }

private:
    QImage m_imagem;
};

namespace {

// The full-size view: the picture stretched over a bordered panel that starts at the
// picture's size; with an action, the panel's menu offers "Salvar imagem como...".
void MostrarTamanhoOriginal(QWidget *pai, const QImage &imagem, const QString &titulo, double ppi,
    const std::function<void()> &salvarComo)
{
    QDialog janela(pai, Qt::Tool);
    janela.setObjectName(QStringLiteral("PreviewForm"));
    janela.setWindowTitle(titulo
        + QStringLiteral(" - (Largura:%1 cm - Altura:%2 cm)")
              .arg(Centimetros(LarguraCm(imagem, ppi)), Centimetros(AlturaCm(imagem, ppi))));
    auto *painel = new QFrame(&janela);
    painel->setObjectName(QStringLiteral("Panel"));
    painel->setFrameStyle(QFrame::Box | QFrame::Plain);
    painel->setLineWidth(1);
    painel->setAutoFillBackground(true);
    painel->setBackgroundRole(QPalette::Base);
    auto *figura = new TVrtQuadroImagem(painel);
    figura->setObjectName(QStringLiteral("Image"));
    figura->Esticar = true;
    figura->SetImagem(imagem);
    auto *leiautePainel = new QVBoxLayout(painel);
    leiautePainel->setContentsMargins(5, 5, 5, 5);
    leiautePainel->addWidget(figura);
    auto *leiaute = new QVBoxLayout(&janela);
    leiaute->setContentsMargins(0, 0, 0, 0);
    leiaute->addWidget(painel);

    if (salvarComo) {
        auto *menu = new QMenu(painel);
        QObject::connect(menu->addAction(QStringLiteral("Salvar imagem como...")),
            &QAction::triggered, &janela, salvarComo);
        painel->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(painel, &QWidget::customContextMenuRequested, menu,
            [painel, menu](const QPoint &ponto) { menu->popup(painel->mapToGlobal(ponto)); });
    }

    QScreen *tela = pai && pai->screen() ? pai->screen() : QGuiApplication::primaryScreen();
    const QRect area = tela ? tela->availableGeometry() : QRect(0, 0, 1024, 768);
    if (imagem.width() > 0) {
        const int borda = 2 * painel->frameWidth() + 10;
        janela.resize((imagem.size() + QSize(borda, borda)).boundedTo(area.size()));
    }
    janela.move(area.center() - janela.rect().center());
    janela.exec();
}

} // namespace

TVrtDBImage::TVrtDBImage(QWidget *parent)
    : QWidget(parent)
    , m_color(palette().color(QPalette::Base))
    , m_caixa(new QScrollArea(this))
    , m_imagem(new TVrtQuadroImagem(m_caixa))
    , m_btRelacionar(new QToolButton(this))
    , m_btApagar(new QToolButton(this))
    , m_btAmpliar(new QToolButton(this))
    , m_menu(new QMenu(this))
    , m_copiar(m_menu->addAction(QStringLiteral("Copiar")))
{
    m_caixa->setObjectName(QStringLiteral("ScrollBox"));
    m_caixa->setWidget(m_imagem);
    m_caixa->setWidgetResizable(true);
    m_caixa->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_caixa->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_imagem->setObjectName(QStringLiteral("Image"));
    m_imagem->Origem = QPoint(0, 0);

    const auto botao
        = [](QToolButton *button, const QString &nome, const QString &glifo, const QString &dica) {
              button->setObjectName(nome);
              button->setIcon(Glifo(glifo));
              button->setToolTip(dica);
              button->setFocusPolicy(Qt::NoFocus);
              button->hide();
          };
    botao(m_btRelacionar, QStringLiteral("btRelacionar"), QStringLiteral("TRES_PONTOS"),
        QStringLiteral("Escolher a imagem"));
    botao(m_btApagar, QStringLiteral("btApagar"), QStringLiteral("IC_APAGAR"),
        QStringLiteral("Desfazer a escolha da imagem"));
    botao(m_btAmpliar, QStringLiteral("btAmpliar"), QStringLiteral("IC_LUPA"),
        QStringLiteral("Visualizar imagem no tamanho original"));
    connect(m_btRelacionar, &QToolButton::clicked, this, &TVrtDBImage::EscolherImagem);
    connect(m_btApagar, &QToolButton::clicked, this, &TVrtDBImage::ApagarImagem);
    connect(m_btAmpliar, &QToolButton::clicked, this, &TVrtDBImage::AmpliarImagem);

    connect(m_copiar, &QAction::triggered, this, &TVrtDBImage::CopiarImagem);
    m_imagem->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_imagem, &QWidget::customContextMenuRequested, this,
        [this](const QPoint &ponto) { m_menu->popup(m_imagem->mapToGlobal(ponto)); });

    connect(&m_link, &TFieldDataLink::dataChange, this, [this] {
        if (m_dadosCarregados == DadosDoCampo())
            return;
        // An unreadable picture has been reported; the table's operation that showed the row
        // goes on.
        try {
            CarregarImagem();
        } catch (const EVrtException &) { }
    });

    AplicarCores();
    AtualizarBotoes();
    ArrumarBotoes();
}

TVrtDBImage::~TVrtDBImage() = default;

void TVrtDBImage::SetAutoScroll(bool valor)
{
    if (m_autoScroll == valor)
        return;
    m_autoScroll = valor;
    const Qt::ScrollBarPolicy barras = valor ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    m_caixa->setHorizontalScrollBarPolicy(barras);
    m_caixa->setVerticalScrollBarPolicy(barras);
    m_caixa->setWidgetResizable(!valor);
    if (valor) {
        m_autoStrech = false;
        m_imagem->Esticar = false;
    }
    ArrumarBotoes();
}

void TVrtDBImage::SetAutoStrech(bool valor)
{
    if (m_autoStrech == valor)
        return;
    m_autoStrech = valor;
    m_imagem->Esticar = valor;
    SetAutoScroll(false);
    m_imagem->update();
}

void TVrtDBImage::SetCenter(bool valor)
{
    if (m_center == valor)
        return;
    m_center = valor;
    m_imagem->Centralizar = valor;
    m_imagem->update();
}

void TVrtDBImage::SetUsaBotaoRelacionar(bool valor)
{
    m_usaRelacionar = valor;
    ArrumarBotoes();
}

void TVrtDBImage::SetUsaBotaoApagar(bool valor)
{
    m_usaApagar = valor;
    ArrumarBotoes();
}

void TVrtDBImage::SetUsaBotaoAmpliar(bool valor)
{
    m_usaAmpliar = valor;
    ArrumarBotoes();
}

void TVrtDBImage::SetDataSource(TDataSource *fonte)
{
    m_link.SetDataSource(fonte);
}

void TVrtDBImage::SetDatafield(const QString &nome)
{
    m_link.SetFieldName(nome);
}

void TVrtDBImage::SetParentColor(bool valor)
{
    m_parentColor = valor;
    AplicarCores();
}

void TVrtDBImage::SetColor(const QColor &cor)
{
    m_color = cor;
    m_parentColor = false;
    AplicarCores();
}

void TVrtDBImage::SetBorderStyle(TBorderStyle estilo)
{
    m_borderStyle = estilo;
    m_caixa->setFrameStyle(
        estilo == bsSingle ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
    ArrumarBotoes();
}

void TVrtDBImage::SetUsaPopupMenu(bool valor)
{
    m_usaPopupMenu = valor;
    m_imagem->setContextMenuPolicy(valor ? Qt::CustomContextMenu : Qt::PreventContextMenu);
}

void TVrtDBImage::AplicarCores()
{
    QWidget *fundo = m_caixa->viewport();
    fundo->setAutoFillBackground(!m_parentColor);
    m_caixa->setAutoFillBackground(false);
    // The scroll box fills the picture's widget with the page's colour on its own; the colour
    // is the viewport's to paint, or the parent's to show through.
    m_imagem->setAutoFillBackground(false);
    if (!m_parentColor) {
        QPalette cores = fundo->palette();
        cores.setColor(QPalette::Window, m_color);
        cores.setColor(QPalette::Base, m_color);
        fundo->setPalette(cores);
        fundo->setBackgroundRole(QPalette::Window);
    }
}

void TVrtDBImage::ArrumarBotoes()
{
    const int altura = height();
    int x = width();
    bool algum = false;
    for (auto [botao, usa] : {std::pair {m_btAmpliar, m_usaAmpliar},
             std::pair {m_btApagar, m_usaApagar}, std::pair {m_btRelacionar, m_usaRelacionar}}) {
        botao->setVisible(usa);
        if (!usa)
            continue;
        x -= LarguraBotao;
        botao->setGeometry(x, 0, LarguraBotao, altura);
        algum = true;
    }
    if (algum)
        x -= 1;
    m_caixa->setGeometry(0, 0, qMax(x, 0), altura);
    if (m_autoScroll) {
        // Natural size, one pixel in from the box's corner.
        m_imagem->Origem = QPoint(1, 1);
        m_imagem->resize(m_figura.Imagem.size() + QSize(1, 1));
    } else {
        m_imagem->Origem = QPoint(0, 0);
    }
    m_imagem->update();
}

void TVrtDBImage::resizeEvent(QResizeEvent *evento)
{
    QWidget::resizeEvent(evento);
    ArrumarBotoes();
}

void TVrtDBImage::showEvent(QShowEvent *evento)
{
    ArrumarBotoes();
    QWidget::showEvent(evento);
}

void TVrtDBImage::MostrarFigura(TFigura figura)
{
    m_figura = std::move(figura);
    m_imagem->SetImagem(m_figura.Imagem);
    ArrumarBotoes();
}

QByteArray TVrtDBImage::DadosDoCampo() const
{
    const TField *campo = m_link.Field();
    return campo ? campo->AsBytes() : QByteArray();
}

bool TVrtDBImage::HaFigura() const
{
    return DadosDoCampo().size() > 2;
}

void TVrtDBImage::CarregarImagem()
{
    const QByteArray dados = DadosDoCampo();
    m_dadosCarregados = dados;
    if (dados.size() <= 2) {
        // A null field, a blob too short to be a picture, or no field at all: no picture.
        MostrarFigura(TFigura());
        AtualizarBotoes();
        return;
    }
    TFigura figura = DecodificarDados(dados);
    const bool reconhecida = !figura.Vazia();
    MostrarFigura(std::move(figura));
    AtualizarBotoes();
    if (!reconhecida) {
        const QString texto = QStringLiteral("Formato da imagem gravada não pode ser reconhecido.");
        ExibeMensagem(tmErro, Titulo, texto, bmContinuar);
        throw EVrtException(texto);
    }
}

void TVrtDBImage::AtualizarBotoes()
{
    const bool ha = HaFigura();
    m_copiar->setEnabled(ha);
    m_btApagar->setEnabled(ha);
    m_btAmpliar->setEnabled(ha);
}

void TVrtDBImage::ColocarEmEdicao()
{
    if (!m_link.Editing())
        m_link.DataSet()->Edit();
}

void TVrtDBImage::EscolherImagem()
{
    if (OnBeforeClickRelacionar)
        OnBeforeClickRelacionar(m_btRelacionar);
    QString arquivo;
    {
        TVrtOpenPictureDialog dialogo(this);
        dialogo.SetMaxWidth_CM(m_maxWidthCm);
        dialogo.SetMaxHeight_CM(m_maxHeightCm);
        dialogo.SetFilter(FiltroImagensVrt);
        if (dialogo.Execute())
            arquivo = dialogo.FileName();
    }
    if (!arquivo.isEmpty() && !GuardarArquivo(arquivo))
        return;
    if (OnAfterClickRelacionar)
        OnAfterClickRelacionar(m_btRelacionar);
}

bool TVrtDBImage::GuardarArquivo(const QString &arquivo)
{
    TField *campo = m_link.Field();
    if (!campo)
        return false;
    const bool bitmap = ExtensaoBitmap(arquivo);
    const TFigura lida = LerArquivo(arquivo);
    // A JPEG file is stored as it is; a bitmap is converted.
    const QByteArray jpeg = lida.Vazia() ? QByteArray()
        : bitmap                         ? GravarJpeg(lida.Imagem)
                                         : lida.Dados;
    if (jpeg.isEmpty()) {
        ExibeMensagem(tmErro, Titulo,
            bitmap ? QStringLiteral("Problemas durante o leitura da imagem. Verifique se o arquivo "
                                    "é uma imagem Bitmap válida.")
                   : QStringLiteral("Problemas durante o leitura da imagem. Verifique se o arquivo "
                                    "é uma imagem JPEG válida."),
            bmContinuar);
        return false;
    }
    ColocarEmEdicao();
    if (jpeg.size() < 2)
        campo->Clear();
    else
        campo->SetAsBytes(jpeg);
    return true;
}

void TVrtDBImage::ApagarImagem()
{
    if (OnBeforeClickApagar)
        OnBeforeClickApagar(m_btApagar);
    if (TField *campo = m_link.Field()) {
        ColocarEmEdicao();
        campo->Clear();
    }
    if (OnAfterClickApagar)
        OnAfterClickApagar(m_btApagar);
}

void TVrtDBImage::AmpliarImagem()
{
    if (OnBeforeClickAmpliar)
        OnBeforeClickAmpliar(m_btAmpliar);
    MostrarTamanhoOriginal(this, m_figura.Imagem, QStringLiteral("Tamanho original da imagem"),
        PixelsPorPolegadaDaTela(), [this] { SalvarImagemComo(); });
    if (OnAfterClickAmpliar)
        OnAfterClickAmpliar(m_btAmpliar);
}

void TVrtDBImage::CopiarImagem()
{
    if (!m_figura.Vazia())
        QGuiApplication::clipboard()->setImage(m_figura.Imagem);
}

void TVrtDBImage::SalvarImagemComo()
{
    QFileDialog dialogo(window());
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    dialogo.setDefaultSuffix(QStringLiteral("JPG"));
    dialogo.setNameFilter(QStringLiteral("Arquivo imagem JPEG (*.jpg)"));
    if (dialogo.exec() == QDialog::Accepted && !dialogo.selectedFiles().isEmpty())
        SalvarImagemEm(dialogo.selectedFiles().constFirst());
}

bool TVrtDBImage::SalvarImagemEm(const QString &arquivo)
{
    QSaveFile saida(arquivo);
    const bool gravou = !m_figura.Vazia() && saida.open(QIODevice::WriteOnly)
        && saida.write(m_figura.Dados) == m_figura.Dados.size() && saida.commit();
    if (!gravou)
        ExibeMensagem(tmErro, Titulo, QStringLiteral("Problemas durante o salvamento da imagem."),
            bmContinuar);
    return gravou;
}

// The dialog's preview: the picture at natural size and centred when it fits, else scaled
// into the top-left corner keeping its proportions; "(Nenhum)" without a picture.
class TVrtCaixaPreview : public QWidget
{
public:
    explicit TVrtCaixaPreview(QWidget *parent)
        : QWidget(parent)
    { }

    const QImage *Imagem = nullptr;
    std::function<void()> AoClicarDuasVezes;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Window));
        if (!Imagem || Imagem->isNull()) {
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("(Nenhum)"));
            return;
        }
        const QSize tamanho = Imagem->size();
        if (tamanho.width() <= width() && tamanho.height() <= height()) {
            p.drawImage(QPoint((width() - tamanho.width()) / 2, (height() - tamanho.height()) / 2),
                *Imagem);
            return;
        }
        p.drawImage(QRect(QPoint(0, 0), tamanho.scaled(size(), Qt::KeepAspectRatio)), *Imagem);
    }

    void mouseDoubleClickEvent(QMouseEvent *) override
    {
        if (AoClicarDuasVezes)
            AoClicarDuasVezes();
    }
};

TVrtOpenPictureDialog::TVrtOpenPictureDialog(QWidget *parent)
    : QFileDialog(parent)
    , m_pixelsPorPolegada(PixelsPorPolegadaDaTela())
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    SetFilter(FiltroImagensVrt);
    CriarPainel();
    connect(this, &QFileDialog::currentChanged, this, &TVrtOpenPictureDialog::CarregarFigura);
}

TVrtOpenPictureDialog::~TVrtOpenPictureDialog() = default;

void TVrtOpenPictureDialog::CriarPainel()
{
    PicturePanel = new QWidget(this);
    PicturePanel->setObjectName(QStringLiteral("PicturePanel"));
    PictureLabel = new QLabel(QStringLiteral("Imagem:"), PicturePanel);
    PictureLabel->setObjectName(QStringLiteral("PictureLabel"));
    PreviewButton = new QToolButton(PicturePanel);
    PreviewButton->setObjectName(QStringLiteral("PreviewButton"));
    PreviewButton->setFixedSize(22, 23);
    PreviewButton->setIcon(Glifo(QStringLiteral("PREVIEWGLYPH")));
    PreviewButton->setToolTip(QStringLiteral("Visualizar"));
    PreviewButton->setEnabled(false);
    connect(PreviewButton, &QToolButton::clicked, this, &TVrtOpenPictureDialog::Visualizar);
    PaintPanel = new QFrame(PicturePanel);
    PaintPanel->setObjectName(QStringLiteral("PaintPanel"));
    PaintPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PaintBox = new TVrtCaixaPreview(PaintPanel);
    PaintBox->setObjectName(QStringLiteral("PaintBox"));
    PaintBox->Imagem = &m_figura;
    PaintBox->AoClicarDuasVezes = [this] { Visualizar(); };
    PaintBox->setMinimumSize(160, 160);

    auto *leiautePintura = new QVBoxLayout(PaintPanel);
    leiautePintura->setContentsMargins(2, 2, 2, 2);
    leiautePintura->addWidget(PaintBox);
    auto *leiaute = new QGridLayout(PicturePanel);
    // The preview button stands at the paint panel's right edge less its width and 2 pixels.
    leiaute->setContentsMargins(0, 4, 0, 0);
    leiaute->addWidget(PictureLabel, 0, 0);
    leiaute->addWidget(PreviewButton, 0, 1, Qt::AlignRight);
    leiaute->setColumnMinimumWidth(2, 2);
    leiaute->addWidget(PaintPanel, 1, 0, 1, 3);
    leiaute->setRowStretch(1, 1);

    // The panel sits to the right of the dialog's own controls.
    if (auto *grade = qobject_cast<QGridLayout *>(layout()))
        grade->addWidget(PicturePanel, 0, grade->columnCount(), grade->rowCount(), 1);
}

void TVrtOpenPictureDialog::SetFilter(const QString &filtro)
{
    m_filtro = filtro;
    // Each description keeps its text; its patterns are written the way this dialog reads them.
    QStringList filtros;
    const QStringList partes = filtro.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
        QString descricao = partes.at(i);
        const qsizetype parentese = descricao.lastIndexOf(QLatin1Char('('));
        if (parentese > 0)
            descricao = descricao.left(parentese).trimmed();
        filtros.append(descricao + QStringLiteral(" (")
            + partes.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(QLatin1Char(' '))
            + QLatin1Char(')'));
    }
    setNameFilters(filtros);
}

QString TVrtOpenPictureDialog::Legenda() const
{
    return PictureLabel->text();
}

bool TVrtOpenPictureDialog::Execute()
{
    return exec() == QDialog::Accepted;
}

QString TVrtOpenPictureDialog::FileName() const
{
    const QStringList arquivos = selectedFiles();
    return arquivos.isEmpty() ? QString() : arquivos.constFirst();
}

void TVrtOpenPictureDialog::CarregarFigura(const QString &arquivo)
{
    m_arquivoFigura = arquivo;
    const TFigura figura = QFileInfo(arquivo).isFile() ? LerArquivo(arquivo) : TFigura();
    if (figura.Vazia()) {
        LimparFigura();
        return;
    }
    m_figura = figura.Imagem;
    PictureLabel->setText(QStringLiteral(" (%1x%2) (%3x%4)")
                              .arg(m_figura.width())
                              .arg(m_figura.height())
                              .arg(Centimetros(LarguraCm(m_figura, m_pixelsPorPolegada)),
                                  Centimetros(AlturaCm(m_figura, m_pixelsPorPolegada))));
    PreviewButton->setEnabled(true);
    PaintBox->update();
}

void TVrtOpenPictureDialog::LimparFigura()
{
    m_figura = QImage();
    PictureLabel->setText(QStringLiteral("Imagem:"));
    PreviewButton->setEnabled(false);
    PaintBox->update();
}

bool TVrtOpenPictureDialog::VerificarTamanhoMaximo()
{
    if (m_maxHeightCm <= 0 || m_maxWidthCm <= 0)
        return true;
    if (AlturaCm(m_figura, m_pixelsPorPolegada) <= m_maxHeightCm
        && LarguraCm(m_figura, m_pixelsPorPolegada) <= m_maxWidthCm)
        return true;
    ExibeMensagem(tmInformacao, Titulo,
        QStringLiteral("A imagem escolhida deve ter no máximo ") + Decimal(m_maxHeightCm, 'g', 15)
            + QStringLiteral(" cm de altura por ") + Decimal(m_maxWidthCm, 'g', 15)
            + QStringLiteral(" cm de largura."),
        bmContinuar);
    return false;
}

void TVrtOpenPictureDialog::accept()
{
    // The limits hold for the file being confirmed, also one whose name was typed.
    const QStringList arquivos = selectedFiles();
    if (arquivos.size() == 1 && QFileInfo(arquivos.constFirst()).isFile()) {
        if (arquivos.constFirst() != m_arquivoFigura)
            CarregarFigura(arquivos.constFirst());
        if (!VerificarTamanhoMaximo())
            return;
    }
    QFileDialog::accept();
}

void TVrtOpenPictureDialog::done(int resultado)
{
    QToolTip::hideText();
    QFileDialog::done(resultado);
}

void TVrtOpenPictureDialog::showEvent(QShowEvent *evento)
{
    m_arquivoFigura.clear();
    LimparFigura();
    QFileDialog::showEvent(evento);
}

void TVrtOpenPictureDialog::Visualizar()
{
    MostrarTamanhoOriginal(
        this, m_figura, QStringLiteral("Visualizar"), m_pixelsPorPolegada, nullptr);
}
