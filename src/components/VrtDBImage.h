#pragma once

// The picture of a blob field: TVrtDBImage shows the picture of the current row (bitmap or JPEG,
// recognised by their first bytes) and, with its buttons, chooses a new one from a file (always
// stored as JPEG data), removes it or shows it at full size; TVrtOpenPictureDialog is the open
// dialog it uses, with a preview of the picture under the cursor and a size limit in cm.

#include "components/uFieldDataLink.h"

#include <QByteArray>
#include <QColor>
#include <QFileDialog>
#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;
class TDataSource;
class TVrtCaixaPreview;
class TVrtQuadroImagem;

using TNotifyEvent = std::function<void(QObject *sender)>;

enum TBorderStyle { bsNone, bsSingle };

enum TFormatoFigura { ffNenhum, ffBitmap, ffJpeg };

// A decoded picture with the bytes it was decoded from.
struct TFigura
{
    QImage Imagem;
    QByteArray Dados;
    TFormatoFigura Formato = ffNenhum;

    bool Vazia() const { return Imagem.isNull(); }
};

// A length in pixels in centimetres at a resolution, to two places: a half goes up, and so
// does anything within 0.001 of a hundredth below a half.
double PixelsParaCm(int pixels, double pixelsPorPolegada);
// The logical resolution of the primary screen.
double PixelsPorPolegadaDaTela();

// The filter of the choose dialog, in the form "description|patterns|description|patterns".
extern const QString FiltroImagensVrt;

class TVrtDBImage : public QWidget
{
    Q_OBJECT

public:
    explicit TVrtDBImage(QWidget *parent = nullptr);
    ~TVrtDBImage() override;

    // Limits that the choose dialog enforces; 0 is no limit.
    double MaxWidth_CM() const { return m_maxWidthCm; }
    void SetMaxWidth_CM(double centimetros) { m_maxWidthCm = centimetros; }
    double MaxHeight_CM() const { return m_maxHeightCm; }
    void SetMaxHeight_CM(double centimetros) { m_maxHeightCm = centimetros; }

    // Natural size with scroll bars; stretched to the box; centred. AutoScroll and AutoStrech
    // exclude each other.
    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool valor);
    bool AutoStrech() const { return m_autoStrech; }
    void SetAutoStrech(bool valor);
    bool Center() const { return m_center; }
    void SetCenter(bool valor);

    bool UsaBotaoRelacionar() const { return m_usaRelacionar; }
    void SetUsaBotaoRelacionar(bool valor);
    bool UsaBotaoApagar() const { return m_usaApagar; }
    void SetUsaBotaoApagar(bool valor);
    bool UsaBotaoAmpliar() const { return m_usaAmpliar; }
    void SetUsaBotaoAmpliar(bool valor);

    TDataSource *DataSource() const { return m_link.DataSource(); }
    void SetDataSource(TDataSource *fonte);
    const QString &Datafield() const { return m_link.FieldName(); }
    void SetDatafield(const QString &nome);

    // Raised before and after each button's action; the sender is the button.
    TNotifyEvent OnBeforeClickRelacionar, OnBeforeClickApagar, OnBeforeClickAmpliar;
    TNotifyEvent OnAfterClickRelacionar, OnAfterClickApagar, OnAfterClickAmpliar;

    // The scroll box's look.
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool valor);
    QColor Color() const { return m_color; }
    void SetColor(const QColor &cor);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle estilo);

    // The "Copiar" menu opens on a right click of the picture.
    bool UsaPopupMenu() const { return m_usaPopupMenu; }
    void SetUsaPopupMenu(bool valor);

    const TFigura &Figura() const { return m_figura; }

    // Shows the bound field's picture. Data that is neither bitmap nor JPEG is reported and
    // raised as EVrtException.
    void CarregarImagem();
    // "Copiar", remove and view follow whether the field holds a picture.
    void AtualizarBotoes();
    void EscolherImagem();
    void ApagarImagem();
    void AmpliarImagem();
    void CopiarImagem();
    void SalvarImagemComo();
    // Writes the picture in its own format; a failure is reported. Answers whether it wrote.
    bool SalvarImagemEm(const QString &arquivo);
    // Stores a picture file in the field as JPEG data (a bitmap converted at quality 70); an
    // unreadable file is reported and changes nothing. Answers whether it stored.
    bool GuardarArquivo(const QString &arquivo);

protected:
    void resizeEvent(QResizeEvent *evento) override;
    void showEvent(QShowEvent *evento) override;

private:
    void ArrumarBotoes();
    void MostrarFigura(TFigura figura);
    void AplicarCores();
    void ColocarEmEdicao();
    bool HaFigura() const;
    QByteArray DadosDoCampo() const;

    double m_maxWidthCm = 0;
    double m_maxHeightCm = 0;
    bool m_autoScroll = false;
    bool m_autoStrech = false;
    bool m_center = false;
    bool m_usaRelacionar = false;
    bool m_usaApagar = false;
    bool m_usaAmpliar = false;
    bool m_parentColor = false;
    QColor m_color;
    TBorderStyle m_borderStyle = bsSingle;
    bool m_usaPopupMenu = true;
    TFigura m_figura;
    // The field's bytes at the last load, shown or refused: the same data is not decoded (nor
    // reported) again at every notification of the row.
    std::optional<QByteArray> m_dadosCarregados;

    QScrollArea *m_caixa;
    TVrtQuadroImagem *m_imagem;
    QToolButton *m_btRelacionar;
    QToolButton *m_btApagar;
    QToolButton *m_btAmpliar;
    QMenu *m_menu;
    QAction *m_copiar;
    // Declared last, so that it goes first and notifies nothing half-destroyed.
    TFieldDataLink m_link;
};

class TVrtOpenPictureDialog : public QFileDialog
{
    Q_OBJECT

public:
    explicit TVrtOpenPictureDialog(QWidget *parent = nullptr);
    ~TVrtOpenPictureDialog() override;

    double MaxHeight_CM() const { return m_maxHeightCm; }
    void SetMaxHeight_CM(double centimetros) { m_maxHeightCm = centimetros; }
    double MaxWidth_CM() const { return m_maxWidthCm; }
    void SetMaxWidth_CM(double centimetros) { m_maxWidthCm = centimetros; }
    // The resolution at which pixels count as centimetres; the screen's at creation.
    double PixelsPorPolegada() const { return m_pixelsPorPolegada; }
    void SetPixelsPorPolegada(double valor) { m_pixelsPorPolegada = valor; }

    // "description|patterns|..." pairs, patterns separated by ";".
    const QString &Filter() const { return m_filtro; }
    void SetFilter(const QString &filtro);

    // The picture of the file under the cursor.
    const QImage &Figura() const { return m_figura; }
    QString Legenda() const;

    bool Execute();
    QString FileName() const;
    // The chosen picture is within both limits, or a limit is 0; otherwise the limits are
    // explained and the dialog stays open. Answers whether it may close.
    bool VerificarTamanhoMaximo();

    void accept() override;
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void CriarPainel();
    void CarregarFigura(const QString &arquivo);
    void LimparFigura();
    void Visualizar();

    double m_maxHeightCm = 0;
    double m_maxWidthCm = 0;
    double m_pixelsPorPolegada;
    QString m_filtro;
    QImage m_figura;
    QString m_arquivoFigura;

    QWidget *PicturePanel = nullptr;
    QLabel *PictureLabel = nullptr;
    QToolButton *PreviewButton = nullptr;
    QFrame *PaintPanel = nullptr;
    TVrtCaixaPreview *PaintBox = nullptr;
};
