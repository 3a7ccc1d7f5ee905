#include "common/uExcecoes.h"
#include "components/MemTable.h"
#include "components/VrtDBImage.h"
#include "support/ArquivosTeste.h"
#include "support/JanelasTeste.h"
#include "support/MensagemGravador.h"

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

namespace {

QByteArray Codificar(const QImage &imagem, const char *formato)
{
    QByteArray dados;
    QBuffer buffer(&dados);
    buffer.open(QIODevice::WriteOnly);
    imagem.save(&buffer, formato, 90);
    return dados;
}

QImage Quadro(int largura, int altura, QColor cor = QColor(200, 40, 40))
{
    QImage imagem(largura, altura, QImage::Format_RGB32);
    imagem.fill(cor);
    return imagem;
}

// A bitmap header that promises a picture of 60000 by 60000 pixels at 32 bits (14 GB).
QByteArray BitmapGigante()
{
    QByteArray dados(54, '\0');
    const auto escrever = [&dados](int posicao, quint32 valor, int bytes) {
        for (int i = 0; i < bytes; ++i)
            dados[posicao + i] = char((valor >> (8 * i)) & 0xFF);
    };
    dados[0] = 'B';
    dados[1] = 'M';
    escrever(2, 54, 4);
    escrever(10, 54, 4);
    escrever(14, 40, 4);
    escrever(18, 60000, 4);
    escrever(22, 60000, 4);
    escrever(26, 1, 2);
    escrever(28, 32, 2);
    return dados;
}

// The header table with its picture field, one posted row, and an image control bound to it.
struct Cenario
{
    Cenario()
        : campo(tabela.AdicionarCampo(QStringLiteral("ELIBRASAORELATORIO"), ftGraphic))
        , imagem(new TVrtDBImage(&janela))
    {
        tabela.Open();
        tabela.Append();
        tabela.Post();
        fonte.SetDataSet(&tabela);
        imagem->setGeometry(0, 0, 151, 151);
        imagem->SetDataSource(&fonte);
        imagem->SetDatafield(QStringLiteral("ELIBRASAORELATORIO"));
        janela.resize(160, 160);
    }

    void Gravar(const QByteArray &dados)
    {
        tabela.Edit();
        campo.SetAsBytes(dados);
        tabela.Post();
    }

    QToolButton *Botao(const char *nome) const
    {
        return imagem->findChild<QToolButton *>(QLatin1String(nome));
    }

    QAction *Copiar() const { return imagem->findChild<QMenu *>()->actions().constFirst(); }

    QStringList BotoesHabilitados() const
    {
        QStringList habilitados;
        if (Copiar()->isEnabled())
            habilitados.append(QStringLiteral("Copiar"));
        for (const char *nome : {"btRelacionar", "btApagar", "btAmpliar"}) {
            if (Botao(nome)->isEnabled())
                habilitados.append(QLatin1String(nome));
        }
        return habilitados;
    }

    // Records the before and after events of the three buttons, with their senders.
    QStringList *GravarEventos()
    {
        const auto evento = [this](const QString &nome) {
            return [this, nome](QObject *sender) {
                eventos.append(nome + QLatin1Char(':') + sender->objectName());
            };
        };
        imagem->OnBeforeClickRelacionar = evento(QStringLiteral("antes"));
        imagem->OnAfterClickRelacionar = evento(QStringLiteral("depois"));
        imagem->OnBeforeClickApagar = evento(QStringLiteral("antes"));
        imagem->OnAfterClickApagar = evento(QStringLiteral("depois"));
        return &eventos;
    }

    TMemoryTable tabela {QStringLiteral("mmDados")};
    TField &campo;
    TDataSource fonte;
    QWidget janela;
    TVrtDBImage *imagem;
    QStringList eventos;
};

// Chooses a file in the control's picture dialog.
void Escolher(TVrtDBImage &imagem, const QString &arquivo)
{
    imagem.window()->show();
    imagem.window()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(imagem.window()));
    AoAparecer<TVrtOpenPictureDialog>([arquivo](TVrtOpenPictureDialog &dialogo) {
        // The dialog leaves a typed name alone while its name box has the focus.
        if (QWidget *foco = dialogo.focusWidget())
            foco->clearFocus();
        dialogo.setDirectory(QFileInfo(arquivo).path());
        dialogo.selectFile(QFileInfo(arquivo).fileName());
        dialogo.accept();
    });
    imagem.EscolherImagem();
}

const QStringList TodosHabilitados {QStringLiteral("Copiar"), QStringLiteral("btRelacionar"),
    QStringLiteral("btApagar"), QStringLiteral("btAmpliar")};

const QString FormatoNaoReconhecido
    = QStringLiteral("Formato da imagem gravada não pode ser reconhecido.");

} // namespace

class TestVrtDBImage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mostraOQueOCampoGuarda_data()
    {
        QTest::addColumn<QByteArray>("dados");
        QTest::addColumn<int>("formato");
        QTest::addColumn<QSize>("tamanho");
        QTest::addColumn<QStringList>("habilitados");
        QTest::newRow("bitmap") << Codificar(Quadro(30, 20), "bmp") << int(ffBitmap)
                                << QSize(30, 20) << TodosHabilitados;
        QTest::newRow("jpeg") << Codificar(Quadro(30, 20), "jpeg") << int(ffJpeg) << QSize(30, 20)
                              << TodosHabilitados;
        QTest::newRow("dois bytes") << QByteArray("BM") << int(ffNenhum) << QSize(0, 0)
                                    << QStringList {QStringLiteral("btRelacionar")};
        QTest::newRow("nulo") << QByteArray() << int(ffNenhum) << QSize(0, 0)
                              << QStringList {QStringLiteral("btRelacionar")};
    }

    void mostraOQueOCampoGuarda()
    {
        QFETCH(QByteArray, dados);
        QFETCH(int, formato);
        QFETCH(QSize, tamanho);
        QFETCH(QStringList, habilitados);
        MensagemGravador mensagens;
        Cenario cenario;
        cenario.Gravar(Codificar(Quadro(8, 8), "jpeg"));

        cenario.Gravar(dados);

        QCOMPARE(int(cenario.imagem->Figura().Formato), formato);
        QCOMPARE(cenario.imagem->Figura().Imagem.size(), tamanho);
        QCOMPARE(cenario.BotoesHabilitados(), habilitados);
        QVERIFY(mensagens.Mensagens().isEmpty());
    }

    void dadosIrreconheciveisSaoAvisados_data()
    {
        QTest::addColumn<QByteArray>("dados");
        QTest::newRow("png") << Codificar(Quadro(30, 20), "png");
        QTest::newRow("jpeg truncado") << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
        QTest::newRow("bitmap de 14 GB") << BitmapGigante();
    }

    void dadosIrreconheciveisSaoAvisados()
    {
        QFETCH(QByteArray, dados);
        MensagemGravador mensagens;
        Cenario cenario;

        // The row's post goes on; the control reports the picture.
        cenario.Gravar(dados);

        QCOMPARE(cenario.tabela.State(), dsBrowse);
        QVERIFY(cenario.imagem->Figura().Vazia());
        QCOMPARE(mensagens.Textos(), QStringList {FormatoNaoReconhecido});
        QCOMPARE(mensagens.Mensagens().constFirst().Tipo, tmErro);
        QCOMPARE(mensagens.Mensagens().constFirst().Titulo, QStringLiteral("Atenção"));
        QCOMPARE(mensagens.Mensagens().constFirst().Botoes, TBotoesMensagem(bmContinuar));
        // Called directly, the load raises.
        QVERIFY_THROWS_EXCEPTION(EVrtException, cenario.imagem->CarregarImagem());
    }

    void arquivoEscolhidoGravaJpeg_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<bool>("guardadoComoEsta");
        QTest::newRow("bitmap") << QStringLiteral("brasao.BMP") << Codificar(Quadro(40, 30), "bmp")
                                << false;
        QTest::newRow("jpeg") << QStringLiteral("brasao.jpg") << Codificar(Quadro(40, 30), "jpeg")
                              << true;
    }

    void arquivoEscolhidoGravaJpeg()
    {
        QFETCH(QString, nome);
        QFETCH(QByteArray, conteudo);
        QFETCH(bool, guardadoComoEsta);
        MensagemGravador mensagens;
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(nome);
        GravarArquivo(arquivo, conteudo);
        Cenario cenario;
        cenario.imagem->SetUsaBotaoRelacionar(true);
        cenario.GravarEventos();

        Escolher(*cenario.imagem, arquivo);

        const QByteArray guardado = cenario.campo.AsBytes();
        QVERIFY(guardado.startsWith("\xFF\xD8"));
        QCOMPARE(guardado == conteudo, guardadoComoEsta);
        QCOMPARE(cenario.tabela.State(), dsEdit);
        QCOMPARE(int(cenario.imagem->Figura().Formato), int(ffJpeg));
        QCOMPARE(cenario.imagem->Figura().Imagem.size(), QSize(40, 30));
        QCOMPARE(cenario.eventos,
            QStringList(
                {QStringLiteral("antes:btRelacionar"), QStringLiteral("depois:btRelacionar")}));
        QVERIFY(mensagens.Mensagens().isEmpty());
    }

    void arquivoIlegivelNaoMudaOCampo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("bitmap") << QStringLiteral("brasao.bmp") << Codificar(Quadro(4, 4), "jpeg")
                                << QStringLiteral(
                                       "Problemas durante o leitura da imagem. Verifique "
                                       "se o arquivo é uma imagem Bitmap válida.");
        QTest::newRow("jpeg") << QStringLiteral("brasao.jpeg") << Codificar(Quadro(4, 4), "bmp")
                              << QStringLiteral("Problemas durante o leitura da imagem. Verifique "
                                                "se o arquivo é uma imagem JPEG válida.");
    }

    void arquivoIlegivelNaoMudaOCampo()
    {
        QFETCH(QString, nome);
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, mensagem);
        MensagemGravador mensagens;
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(nome);
        GravarArquivo(arquivo, conteudo);
        Cenario cenario;
        cenario.GravarEventos();

        Escolher(*cenario.imagem, arquivo);

        QCOMPARE(mensagens.Textos(), QStringList {mensagem});
        QCOMPARE(mensagens.Mensagens().constFirst().Tipo, tmErro);
        QVERIFY(cenario.campo.IsNull());
        QCOMPARE(cenario.tabela.State(), dsBrowse);
        QCOMPARE(cenario.eventos, QStringList {QStringLiteral("antes:btRelacionar")});
    }

    void apagarLimpaOCampoSemGravar()
    {
        Cenario cenario;
        cenario.Gravar(Codificar(Quadro(10, 10), "jpeg"));
        cenario.GravarEventos();

        cenario.Botao("btApagar")->click();

        QVERIFY(cenario.campo.IsNull());
        QCOMPARE(cenario.tabela.State(), dsEdit);
        QVERIFY(cenario.imagem->Figura().Vazia());
        QCOMPARE(cenario.BotoesHabilitados(), QStringList {QStringLiteral("btRelacionar")});
        QCOMPARE(cenario.eventos,
            QStringList({QStringLiteral("antes:btApagar"), QStringLiteral("depois:btApagar")}));
    }

    void pixelsParaCm_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<double>("centimetros");
        QTest::newRow("151") << 151 << 4.00;
        QTest::newRow("152") << 152 << 4.02;
        QTest::newRow("uma polegada") << 96 << 2.54;
        QTest::newRow("38") << 38 << 1.01;
        QTest::newRow("nada") << 0 << 0.0;
    }

    void pixelsParaCm()
    {
        QFETCH(int, pixels);
        QFETCH(double, centimetros);
        QCOMPARE(PixelsParaCm(pixels, 96), centimetros);
    }

    void limiteDeTamanhoDoDialogo_data()
    {
        QTest::addColumn<QSize>("tamanho");
        QTest::addColumn<double>("maxLargura");
        QTest::addColumn<double>("maxAltura");
        QTest::addColumn<QString>("mensagem"); // empty: accepted
        const QString quatro = QStringLiteral(
            "A imagem escolhida deve ter no máximo 4 cm de altura por 4 cm de largura.");
        QTest::newRow("151 por 151") << QSize(151, 151) << 4.0 << 4.0 << QString();
        QTest::newRow("152 de largura") << QSize(152, 100) << 4.0 << 4.0 << quatro;
        QTest::newRow("152 de altura") << QSize(100, 152) << 4.0 << 4.0 << quatro;
        QTest::newRow("sem limites") << QSize(1000, 1000) << 0.0 << 0.0 << QString();
        QTest::newRow("limites fracionários")
            << QSize(100, 152) << 4.5 << 3.25
            << QStringLiteral("A imagem escolhida deve ter no máximo 3,25 cm de altura por 4,5 cm "
                              "de largura.");
    }

    void limiteDeTamanhoDoDialogo()
    {
        QFETCH(QSize, tamanho);
        QFETCH(double, maxLargura);
        QFETCH(double, maxAltura);
        QFETCH(QString, mensagem);
        MensagemGravador mensagens;
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(QStringLiteral("brasao.jpg"));
        GravarArquivo(arquivo, Codificar(Quadro(tamanho.width(), tamanho.height()), "jpeg"));
        TVrtOpenPictureDialog dialogo;
        dialogo.SetPixelsPorPolegada(96);
        dialogo.SetMaxWidth_CM(maxLargura);
        dialogo.SetMaxHeight_CM(maxAltura);
        dialogo.setDirectory(pasta.path());
        dialogo.open();
        dialogo.selectFile(arquivo);

        dialogo.accept();

        QCOMPARE(dialogo.result() == QDialog::Accepted, mensagem.isEmpty());
        QCOMPARE(dialogo.isVisible(), !mensagem.isEmpty());
        QCOMPARE(mensagens.Textos(), mensagem.isEmpty() ? QStringList() : QStringList {mensagem});
        if (!mensagem.isEmpty())
            QCOMPARE(mensagens.Mensagens().constFirst().Tipo, tmInformacao);
    }

    void previaDoDialogo()
    {
        QTemporaryDir pasta;
        const QString arquivo = pasta.filePath(QStringLiteral("brasao.jpg"));
        GravarArquivo(arquivo, Codificar(Quadro(151, 100), "jpeg"));
        TVrtOpenPictureDialog dialogo;
        dialogo.SetPixelsPorPolegada(96);
        auto *visualizar = dialogo.findChild<QToolButton *>(QStringLiteral("PreviewButton"));
        QVERIFY(dialogo.findChild<QWidget *>(QStringLiteral("PicturePanel"))->parentWidget()
            == &dialogo);
        QCOMPARE(dialogo.nameFilters().constFirst(),
            QStringLiteral("Todas imagens (*.jpg *.jpeg *.bmp)"));

        Q_EMIT dialogo.currentChanged(arquivo);
        QCOMPARE(dialogo.Legenda(), QStringLiteral(" (151x100) (4,00x2,65)"));
        QCOMPARE(dialogo.Figura().size(), QSize(151, 100));
        QVERIFY(visualizar->isEnabled());

        Q_EMIT dialogo.currentChanged(pasta.path());
        QCOMPARE(dialogo.Legenda(), QStringLiteral("Imagem:"));
        QVERIFY(dialogo.Figura().isNull());
        QVERIFY(!visualizar->isEnabled());
    }

    void arrumarBotoes_data()
    {
        QTest::addColumn<bool>("relacionar");
        QTest::addColumn<bool>("apagar");
        QTest::addColumn<bool>("ampliar");
        QTest::addColumn<int>("larguraCaixa");
        QTest::addColumn<QList<int>>("esquerdas"); // choose, remove, view; -1 hidden
        QTest::newRow("nenhum") << false << false << false << 151 << QList<int> {-1, -1, -1};
        QTest::newRow("só ampliar") << false << false << true << 130 << QList<int> {-1, -1, 131};
        QTest::newRow("relacionar e ampliar")
            << true << false << true << 110 << QList<int> {111, -1, 131};
        QTest::newRow("os três") << true << true << true << 90 << QList<int> {91, 111, 131};
    }

    void arrumarBotoes()
    {
        QFETCH(bool, relacionar);
        QFETCH(bool, apagar);
        QFETCH(bool, ampliar);
        QFETCH(int, larguraCaixa);
        QFETCH(QList<int>, esquerdas);
        Cenario cenario;
        cenario.janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cenario.janela));

        cenario.imagem->SetUsaBotaoRelacionar(relacionar);
        cenario.imagem->SetUsaBotaoApagar(apagar);
        cenario.imagem->SetUsaBotaoAmpliar(ampliar);

        QCOMPARE(
            cenario.imagem->findChild<QScrollArea *>()->geometry(), QRect(0, 0, larguraCaixa, 151));
        const char *nomes[] = {"btRelacionar", "btApagar", "btAmpliar"};
        for (int i = 0; i < 3; ++i) {
            QToolButton *botao = cenario.Botao(nomes[i]);
            QCOMPARE(botao->isVisible(), esquerdas.at(i) >= 0);
            if (esquerdas.at(i) >= 0)
                QCOMPARE(botao->geometry(), QRect(esquerdas.at(i), 0, 20, 151));
        }
    }

    void autoScrollEAutoStrechSeExcluem()
    {
        Cenario cenario;
        TVrtDBImage &imagem = *cenario.imagem;
        imagem.SetAutoStrech(true);
        QVERIFY(imagem.AutoStrech() && !imagem.AutoScroll());
        imagem.SetAutoScroll(true);
        QVERIFY(imagem.AutoScroll() && !imagem.AutoStrech());
        imagem.SetAutoStrech(true);
        QVERIFY(imagem.AutoStrech() && !imagem.AutoScroll());
        imagem.SetAutoStrech(false);
        QVERIFY(!imagem.AutoStrech() && !imagem.AutoScroll());
    }

    void naturalDoCantoComBarrasQuandoMaior()
    {
        Cenario cenario;
        cenario.janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cenario.janela));
        cenario.Gravar(Codificar(Quadro(300, 200), "bmp"));
        auto *caixa = cenario.imagem->findChild<QScrollArea *>();

        QCOMPARE(caixa->widget()->size(), caixa->viewport()->size());
        cenario.imagem->SetAutoScroll(true);
        QCOMPARE(caixa->widget()->size(), QSize(301, 201));
    }

    void ampliarMostraOTamanhoOriginal()
    {
        Cenario cenario;
        cenario.Gravar(Codificar(Quadro(151, 100), "jpeg"));
        const double ppi = PixelsPorPolegadaDaTela();
        const auto cm = [ppi](int pixels) {
            return QString::number(PixelsParaCm(pixels, ppi), 'f', 2)
                .replace(QLatin1Char('.'), QLatin1Char(','));
        };
        QString titulo;
        QSize tamanhoImagem;
        bool comMenu = false;
        AoAparecer<QDialog>([&](QDialog &janela) {
            titulo = janela.windowTitle();
            tamanhoImagem = janela.findChild<QWidget *>(QStringLiteral("Image"))->size();
            comMenu = janela.findChild<QWidget *>(QStringLiteral("Panel"))->contextMenuPolicy()
                == Qt::CustomContextMenu;
            janela.reject();
        });

        cenario.imagem->AmpliarImagem();

        QCOMPARE(titulo,
            QStringLiteral("Tamanho original da imagem - (Largura:%1 cm - Altura:%2 cm)")
                .arg(cm(151), cm(100)));
        QCOMPARE(tamanhoImagem, QSize(151, 100));
        QVERIFY(comMenu);
    }

    void salvarECopiar()
    {
        MensagemGravador mensagens;
        QTemporaryDir pasta;
        Cenario cenario;
        const QByteArray jpeg = Codificar(Quadro(12, 9), "jpeg");
        cenario.Gravar(jpeg);

        QVERIFY(cenario.imagem->SalvarImagemEm(pasta.filePath(QStringLiteral("copia.jpg"))));
        QCOMPARE(LerArquivo(pasta.filePath(QStringLiteral("copia.jpg"))), jpeg);
        QVERIFY(!cenario.imagem->SalvarImagemEm(pasta.filePath(QStringLiteral("nao/ha/x.jpg"))));
        QCOMPARE(mensagens.Textos(),
            QStringList {QStringLiteral("Problemas durante o salvamento da imagem.")});

        cenario.Copiar()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->image().size(), QSize(12, 9));
    }

    // With the parent's colour, an empty box and the margins around a small picture show the
    // panel beneath, not a white square.
    void parentColorShowsThePanel_data()
    {
        QTest::addColumn<bool>("comImagem");
        QTest::newRow("empty") << false;
        QTest::newRow("small picture") << true;
    }

    void parentColorShowsThePanel()
    {
        QFETCH(bool, comImagem);
        Cenario cenario;
        const QColor painel(120, 130, 140);
        QPalette cores = cenario.janela.palette();
        cores.setColor(QPalette::Window, painel);
        cenario.janela.setPalette(cores);
        cenario.janela.setAutoFillBackground(true);
        cenario.imagem->SetParentColor(true);
        cenario.imagem->SetBorderStyle(bsNone);
        if (comImagem)
            cenario.Gravar(Codificar(Quadro(12, 9), "png"));
        cenario.janela.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cenario.janela));

        const QImage quadro = cenario.janela.grab().toImage();
        QCOMPARE(quadro.pixelColor(140, 140), painel);
        QCOMPARE(quadro.pixelColor(75, 75), painel);
    }
};

QTEST_MAIN(TestVrtDBImage)
#include "test_VrtDBImage.moc"
