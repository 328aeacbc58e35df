#include "devari/textlabels_p.h"

namespace kvo {

TTextLabelTable::TTextLabelTable() {
  for (auto& l : FLabels) l = std::make_unique<TTextLabel>();
}

TTextLabel* TTextLabelTable::At(std::int32_t n) noexcept {
  return n >= 1 && n <= Count ? FLabels[std::size_t(n - 1)].get() : nullptr;
}
const TTextLabel* TTextLabelTable::At(std::int32_t n) const noexcept {
  return n >= 1 && n <= Count ? FLabels[std::size_t(n - 1)].get() : nullptr;
}

void TTextLabelTable::ResetAll(const TFont& font, const TNotifyEvent& onChange) {
  for (auto& up : FLabels) {
    TTextLabel& l = *up;
    l.OnChange = nullptr;
    l.SetTxtLblPosX(0);
    l.SetTxtLblPosY(0);
    l.SetTxtLblLayer(1);
    l.SetTxtLblScreenPos(tlaWorld);
    l.SetTxtLblColorBkg(16777215);
    l.SetTxtLblColorBrd(0);
    l.SetTxtLblColorShadow(8421504);
    l.SetTxtLblShadowDx(3);
    l.SetTxtLblShadowDy(3);
    l.SetTxtLblTranspar(false);
    l.SetTxtLblAlignment(taCenter);
    l.SetTxtLblVertAlignment(taAlignBottom);
    l.SetTxtLblFont(font);
    l.SetTxtLblMode(tlmFree);
    l.SetTxtLblCaption("");
    l.SetTxtLblVisible(false);
    l.OnChange = onChange;
  }
}

std::int32_t TTextLabelTable::Add(double posX, double posY, TColor txtColor, const std::string& txt,
                                  std::int32_t templ, const TLabelDefaults& def) {
  for (std::int32_t n = 1; n <= Count; ++n) {
    if (!At(n)->InUse()) {
      Fill(n, posX, posY, txtColor, txt, templ, def);
      return n;
    }
  }
  return 0;
}

void TTextLabelTable::Fill(std::int32_t idx, double posX, double posY, TColor txtColor,
                           const std::string& txt, std::int32_t templ, const TLabelDefaults& def) {
  TTextLabel* l = At(idx);
  if (!l) return;
  const TTextLabel* t = At(templ);
  // Read the template's values before writing: it may be the label itself.
  const TTxtLblAttachMode attach = t ? t->AttachToData() : tlaWorld;
  const TAlignment align = t ? t->Alignment() : taCenter;
  const std::int32_t sdx = t ? t->ShadowDx() : 0, sdy = t ? t->ShadowDy() : 0;
  const TColor shadow = t ? t->ColorShadow() : 8421504;
  const TColor bkg = t ? t->ColorBkg() : def.ColorBkg;
  const TColor border = t ? t->ColorBorder() : def.ColorBorder;
  const bool transp = t ? t->Transparent() : false;
  const TTxtLblMode mode = (t && t->Mode() != tlmFree) ? t->Mode() : tlmPlain;

  l->BeginUpdate();
  l->SetTxtLblPosX(posX);
  l->SetTxtLblPosY(posY);
  l->SetTxtLblLayer(def.ActiveLayer);
  l->SetTxtLblScreenPos(attach);
  l->SetTxtLblAlignment(align);
  l->SetTxtLblShadowDx(sdx);
  l->SetTxtLblShadowDy(sdy);
  l->SetTxtLblColorShadow(shadow);
  l->SetTxtLblColorBkg(bkg);
  l->SetTxtLblColorBrd(border);
  l->SetTxtLblTranspar(transp);
  l->SetTxtLblCaption(txt);
  l->Font().SetColor(txtColor);
  l->SetTxtLblMode(mode);
  l->SetTxtLblVisible(true);
  l->EndUpdate();
}

void TTextLabelTable::HideAll() {
  for (auto& l : FLabels) l->SetTxtLblVisible(false);
}

void TTextLabelTable::ClearAll() {
  for (auto& l : FLabels) l->SetTxtLblMode(tlmFree);
}

std::array<TTextLabelView, TTextLabelTable::Count> TTextLabelTable::Views() const {
  std::array<TTextLabelView, Count> v;
  for (std::size_t i = 0; i < FLabels.size(); ++i) {
    const TTextLabel& l = *FLabels[i];
    TTextLabelView& o = v[i];
    o.PosX = l.PosX();
    o.PosY = l.PosY();
    o.Layer = l.Layer();
    o.Attach = l.AttachToData();
    o.ColorBkg = l.ColorBkg();
    o.ColorBorder = l.ColorBorder();
    o.ColorShadow = l.ColorShadow();
    o.ShadowDx = l.ShadowDx();
    o.ShadowDy = l.ShadowDy();
    o.Transparent = l.Transparent();
    o.Alignment = l.Alignment();
    o.VAlign = l.VerticalAlignment();
    o.Font = l.Font().Data();
    o.Mode = l.Mode();
    o.Caption = l.Caption();
    o.Visible = l.Visible();
  }
  return v;
}

}  // namespace kvo
