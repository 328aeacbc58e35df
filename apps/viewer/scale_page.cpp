#include "apps/viewer/scale_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleValidator>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "apps/viewer/report.h"
#include "hosts/qt/control_widget.h"
#include "scale/scale.h"

namespace kvo::viewer {
namespace {

struct TChoice {
  const char* Text;
  int Value;
};
constexpr TChoice kMouseModes[] = {
    {"None", mamNone}, {"Pan", mamPan}, {"Stretch", mamStretch}, {"Zoom", mamZoomDrag}};
constexpr TChoice kLabelTypes[] = {
    {"None", ftNoFigs}, {"Numbers", ftNumber}, {"Time of day", ftTime}, {"Date and time", ftDateTime}};
constexpr TChoice kDecimals[] = {{"Automatic", -2}, {"Exponent form", -1}, {"0", 0}, {"1", 1},
                                 {"2", 2},          {"3", 3},              {"4", 4}, {"6", 6}};

template <std::size_t N>
void Fill(QComboBox* box, const TChoice (&choices)[N]) {
  for (const TChoice& c : choices) box->addItem(QString::fromUtf8(c.Text), c.Value);
}
void Select(QComboBox* box, int value) {
  const int i = box->findData(value);
  box->setCurrentIndex(i >= 0 ? i : 0);
}

bool Horizontal(const TScale& s) {
  return s.ScaleType() == stLabelsAbove || s.ScaleType() == stLabelsBelow;
}

// Start values of the two demo scales.
void Configure(TScale& s, bool horizontal) {
  // Desktop colours (system colours follow the application palette through
  // the Qt host), so that the dark theme gives dark scales.
  s.SetColorBackGnd(clBtnFace);
  s.SetColorScale(clWindowText);
  s.Font().SetColor(clWindowText);
  s.SetColorScheme(cscSystem);
  s.SetMouseAction(mamPan);
  s.SetLogarithmic(false);
  s.SetLabelType(ftNumber);
  s.SetDecPlaces(-2);
  s.SetShortTicks(true);
  if (horizontal) {
    // Labels below the base line, the caption centred under the labels.
    s.SetScaleType(stLabelsBelow);
    s.SetRange(0, 100);
    s.SetMinTicks(8);
    s.SetCaption("Frequency [Hz]");
    s.SetCaptionAnchor(uaSclCenter);
    s.SetCaptionAlignment(taCenter);
    s.SetCaptionPosX(0);
    s.SetCaptionPosY(28);
  } else {
    // Labels left of the base line, the caption above the axis, ending at
    // the base line.
    s.SetScaleType(stLabelsLeft);
    s.SetRange(-1, 1);
    s.SetMinTicks(6);
    s.SetMarginTop(36);
    s.SetCaption("Level [V]");
    s.SetCaptionAnchor(uaSclTopLft);
    s.SetCaptionAlignment(taRightJustify);
    s.SetCaptionPosX(0);
    s.SetCaptionPosY(-30);
  }
}

}  // namespace

TScalePage::TScalePage(QWidget* parent) : TViewerPage(parent) {
  auto horiz = std::make_unique<TScale>();
  auto vert = std::make_unique<TScale>();
  FHoriz = horiz.get();
  FVert = vert.get();
  FHoriz->SetName("horizontal");
  FVert->SetName("vertical");
  Configure(*FHoriz, true);
  Configure(*FVert, false);
  auto* hw = new qt::TControlWidget(std::move(horiz));
  auto* vw = new qt::TControlWidget(std::move(vert));
  FHorizWidget = hw;
  FVertWidget = vw;
  hw->setFixedHeight(84);
  hw->setMinimumWidth(360);
  vw->setFixedWidth(120);
  vw->setMinimumHeight(240);
  Setup(*FHoriz, true);
  Setup(*FVert, false);

  // Stage: the horizontal scale across the top, the vertical one down the
  // left, and a short guide in the space between them.
  auto* guide = new QLabel(
      tr("<h3>Stand-alone scales</h3>"
         "<p>Drag a scale with the left mouse button:</p>"
         "<ul><li><b>Pan</b> shifts its range,</li>"
         "<li><b>Stretch</b> stretches it about the far end,</li>"
         "<li><b>Zoom</b> zooms it about its centre.</li></ul>"
         "<p>A double-click switches a scale between pan and stretch. "
         "The panel on the right edits the selected scale; a click on a scale selects it.</p>"
         "<p>The status line shows the value under the mouse; the table below follows "
         "every change.</p>"));
  guide->setWordWrap(true);
  guide->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  guide->setContentsMargins(24, 16, 24, 16);
  guide->setTextFormat(Qt::RichText);

  // Live readout of both scales under the guide.
  FReadout = new QLabel;
  FReadout->setObjectName(QStringLiteral("readout"));
  FReadout->setTextFormat(Qt::RichText);
  FReadout->setContentsMargins(24, 0, 24, 16);
  FReadout->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  auto* info = new QVBoxLayout;
  info->setSpacing(0);
  info->addWidget(guide);
  info->addWidget(FReadout);
  info->addStretch(1);

  auto* lower = new QHBoxLayout;
  lower->setSpacing(0);
  lower->addWidget(vw);
  lower->addLayout(info, 1);
  auto* stageLayout = new QVBoxLayout;
  stageLayout->setContentsMargins(12, 12, 12, 12);
  stageLayout->setSpacing(0);
  stageLayout->addWidget(hw);
  stageLayout->addLayout(lower, 1);
  auto* stage = new QFrame;
  stage->setFrameShape(QFrame::StyledPanel);
  stage->setLayout(stageLayout);

  // Side panel.
  FWhich = new QComboBox;
  FWhich->addItem(tr("Horizontal scale"));
  FWhich->addItem(tr("Vertical scale"));
  FMouse = new QComboBox;
  Fill(FMouse, kMouseModes);
  FLabels = new QComboBox;
  Fill(FLabels, kLabelTypes);
  auto* decimals = new QComboBox;
  Fill(decimals, kDecimals);
  FLog = new QCheckBox(tr("Logarithmic"));
  FShortTicks = new QCheckBox(tr("Minor ticks"));
  FLow = new QLineEdit;
  FHigh = new QLineEdit;
  for (QLineEdit* e : {FLow, FHigh}) {
    auto* v = new QDoubleValidator(e);
    v->setLocale(QLocale::c());
    e->setValidator(v);
  }
  FCaption = new QLineEdit;
  // Names for tests and accessibility tools.
  FWhich->setObjectName(QStringLiteral("which"));
  FMouse->setObjectName(QStringLiteral("mouseAction"));
  FLabels->setObjectName(QStringLiteral("labels"));
  decimals->setObjectName(QStringLiteral("decimals"));
  FLog->setObjectName(QStringLiteral("logarithmic"));
  FShortTicks->setObjectName(QStringLiteral("shortTicks"));
  FLow->setObjectName(QStringLiteral("rangeLow"));
  FHigh->setObjectName(QStringLiteral("rangeHigh"));
  FCaption->setObjectName(QStringLiteral("caption"));

  auto* form = new QFormLayout;
  form->setLabelAlignment(Qt::AlignRight);
  form->addRow(tr("Edit:"), FWhich);
  form->addRow(tr("Mouse action:"), FMouse);
  form->addRow(tr("Range low:"), FLow);
  form->addRow(tr("Range high:"), FHigh);
  form->addRow(QString(), FLog);
  form->addRow(tr("Labels:"), FLabels);
  form->addRow(tr("Decimals:"), decimals);
  form->addRow(QString(), FShortTicks);
  form->addRow(tr("Caption:"), FCaption);
  auto* group = new QGroupBox(tr("Properties"));
  group->setLayout(form);
  auto* reset = new QPushButton(tr("Reset Scales"));
  auto* side = new QVBoxLayout;
  side->addWidget(group);
  side->addWidget(reset, 0, Qt::AlignRight);
  side->addStretch(1);
  auto* panel = new QWidget;
  panel->setLayout(side);
  panel->setFixedWidth(300);

  auto* layout = new QHBoxLayout(this);
  layout->addWidget(stage, 1);
  layout->addWidget(panel);

  // Panel -> scale.
  connect(FWhich, &QComboBox::currentIndexChanged, this, [this] { ShowProperties(); });
  connect(FMouse, &QComboBox::currentIndexChanged, this, [this] {
    if (FUpdating) return;
    Selected().SetMouseAction(TMouseActMode(FMouse->currentData().toInt()));
    UpdateReadout();
  });
  connect(FLabels, &QComboBox::currentIndexChanged, this, [this] {
    if (FUpdating) return;
    Selected().SetLabelType(TFigType(FLabels->currentData().toInt()));
    ShowProperties();  // date/time labels switch the log mode off
  });
  connect(decimals, &QComboBox::currentIndexChanged, this, [this, decimals] {
    if (!FUpdating) Selected().SetDecPlaces(decimals->currentData().toInt());
  });
  connect(FLog, &QCheckBox::toggled, this, [this](bool on) {
    if (FUpdating) return;
    Selected().SetLogarithmic(on);
    ShowProperties();  // the scale may refuse (non-positive range)
    if (on && !Selected().Logarithmic())
      Status(tr("A logarithmic scale needs a positive range."));
  });
  connect(FShortTicks, &QCheckBox::toggled, this, [this](bool on) {
    if (!FUpdating) Selected().SetShortTicks(on);
  });
  connect(FCaption, &QLineEdit::textEdited, this, [this](const QString& t) {
    Selected().SetCaption(t.toStdString());
  });
  connect(FLow, &QLineEdit::editingFinished, this, [this] { ApplyRange(); });
  connect(FHigh, &QLineEdit::editingFinished, this, [this] { ApplyRange(); });
  connect(reset, &QPushButton::clicked, this, [this] { Reset(); });
  FDecimalsBox = decimals;
  ShowProperties();
}

TCustomControl* TScalePage::MainControl() { return &Selected(); }

TScale& TScalePage::Selected() const { return FWhich->currentIndex() == 1 ? *FVert : *FHoriz; }

QString TScalePage::NameOf(const TScale& s) const {
  return &s == FHoriz ? tr("Horizontal scale") : tr("Vertical scale");
}

QString TScalePage::IdleStatus() const {
  const TScale& s = Selected();
  return tr("%1: range %2 to %3").arg(NameOf(s), FormatValue(s.RangeLow()), FormatValue(s.RangeHigh()));
}

void TScalePage::Setup(TScale& s, bool horizontal) {
  s.OnMouseMove = [this, &s, horizontal](TObject*, TShiftState shift, std::int32_t x,
                                           std::int32_t y) {
    if (ReportOpen())
      ReportLine(QStringLiteral("move %1 %2 %3 %4")
                     .arg(QString::fromStdString(s.Name()))
                     .arg(x)
                     .arg(y)
                     .arg(shift.Contains(ssLeft) ? QStringLiteral("left") : QStringLiteral("-")));
    const double v = s.ConvertPixelToScale(horizontal ? x : y);
    Status(tr("%1   value %2   (%3 = %4 px)")
               .arg(NameOf(s), FormatValue(v), horizontal ? QStringLiteral("x") : QStringLiteral("y"))
               .arg(horizontal ? x : y));
  };
  s.OnMouseLeave = [this](TObject*) { Status(IdleStatus()); };
  s.OnMouseDown = [this, &s](TObject*, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    const int index = &s == FHoriz ? 0 : 1;
    if (FWhich->currentIndex() != index) FWhich->setCurrentIndex(index);
  };
  s.OnMouseUp = [&s](TObject*, TMouseButton, TShiftState, std::int32_t x, std::int32_t y) {
    ReportLine(QStringLiteral("up %1 %2 %3").arg(QString::fromStdString(s.Name())).arg(x).arg(y));
  };
  s.OnDblClick = [this](TObject*) { ShowProperties(); };
  s.OnZoomPan = [this, &s](TObject*) {
    ++(&s == FHoriz ? FHorizMoves : FVertMoves);
    if (&s == &Selected()) ShowRange();
    UpdateReadout();
    ReportLine(QStringLiteral("range %1 %2 %3")
                   .arg(QString::fromStdString(s.Name()))
                   .arg(s.RangeLow(), 0, 'g', 17)
                   .arg(s.RangeHigh(), 0, 'g', 17));
  };
}

void TScalePage::ShowRange() {
  const TScale& s = Selected();
  FUpdating = true;
  FLow->setText(QString::number(s.RangeLow(), 'g', 10));
  FHigh->setText(QString::number(s.RangeHigh(), 'g', 10));
  FUpdating = false;
  UpdateReadout();
}

void TScalePage::UpdateReadout() {
  const auto mode = [](TMouseActMode m) {
    for (const TChoice& c : kMouseModes)
      if (c.Value == m) return tr(c.Text);
    return tr("other");
  };
  const auto row = [&](const TScale& sc, int moves) {
    return QStringLiteral("<tr><td><b>%1</b></td><td align=right>%2</td><td align=right>%3</td>"
                          "<td>%4%5</td><td align=right>%6</td></tr>")
        .arg(NameOf(sc), FormatValue(sc.RangeLow()), FormatValue(sc.RangeHigh()), mode(sc.MouseAction()),
             sc.Logarithmic() ? tr(", log") : QString())
        .arg(moves);
  };
  FReadout->setText(
      QStringLiteral("<table cellspacing=0 cellpadding=4>"
                     "<tr><th align=left>%1</th><th align=right>%2</th><th align=right>%3</th>"
                     "<th align=left>%4</th><th align=right>%5</th></tr>%6%7</table>")
          .arg(tr("Scale"), tr("Low"), tr("High"), tr("Mouse"), tr("Changes"))
          .arg(row(*FHoriz, FHorizMoves), row(*FVert, FVertMoves)));
}

void TScalePage::ShowProperties() {
  const TScale& s = Selected();
  FUpdating = true;
  Select(FMouse, s.MouseAction());
  Select(FLabels, s.LabelType());
  Select(FDecimalsBox, s.DecPlaces());
  FLog->setChecked(s.Logarithmic());
  FShortTicks->setChecked(s.ShortTicks());
  FCaption->setText(QString::fromStdString(s.Caption()));
  FUpdating = false;
  ShowRange();
}

void TScalePage::ApplyRange() {
  if (FUpdating) return;
  bool okLow = false, okHigh = false;
  const double low = QLocale::c().toDouble(FLow->text(), &okLow);
  const double high = QLocale::c().toDouble(FHigh->text(), &okHigh);
  if (!okLow || !okHigh || !std::isfinite(low) || !std::isfinite(high)) {
    ShowRange();
    return;
  }
  TScale& s = Selected();
  if (low == s.RangeLow() && high == s.RangeHigh()) return;
  if (s.Logarithmic() && (low <= 0 || high <= 0)) {
    Status(tr("A logarithmic scale needs a positive range."));
    ShowRange();
    return;
  }
  s.SetRange(low, high);
  ShowRange();
}

void TScalePage::Reset() {
  Configure(*FHoriz, true);
  Configure(*FVert, false);
  FHorizMoves = FVertMoves = 0;
  ShowProperties();
  Status(IdleStatus());
}

void TScalePage::ReportLayout() const {
  for (const auto& [scale, widget] : {std::pair{FHoriz, FHorizWidget}, std::pair{FVert, FVertWidget}}) {
    const QString name = QString::fromStdString(scale->Name());
    ReportWidget(name, *widget);
    // name, range, the two margins along the axis, and the base line's row
    // (horizontal) or column (vertical) in the widget.
    const bool h = Horizontal(*scale);
    const TScaleType t = scale->ScaleType();
    const int base = t == stLabelsAbove   ? scale->Height() - scale->MarginBottom() - 1
                     : t == stLabelsBelow ? scale->MarginTop()
                     : t == stLabelsRight ? scale->MarginLeft()
                                          : scale->Width() - scale->MarginRight() - 1;
    ReportLine(QStringLiteral("scale %1 %2 %3 %4 %5 %6")
                   .arg(name)
                   .arg(scale->RangeLow(), 0, 'g', 17)
                   .arg(scale->RangeHigh(), 0, 'g', 17)
                   .arg(h ? scale->MarginLeft() : scale->MarginTop())
                   .arg(h ? scale->MarginRight() : scale->MarginBottom())
                   .arg(base));
  }
}

}  // namespace kvo::viewer
