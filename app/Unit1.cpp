// The countdown window's event handlers.

#include "app/Unit1.h"

#include "host/SysUtils.h"
#include "platform/Sound.h"

TForm1* Form1 = nullptr;

namespace {

const TPublished& Form1Published() {
  static const TPublished p{
      {},
      {PublishedMethod<TNotifyEvent>(u"FormCreate", &TForm1::FormCreate),
       PublishedMethod<TNotifyEvent>(u"Button1Click", &TForm1::Button1Click),
       PublishedMethod<TNotifyEvent>(u"Button2Click", &TForm1::Button2Click),
       PublishedMethod<TNotifyEvent>(u"Button3Click", &TForm1::Button3Click),
       PublishedMethod<TNotifyEvent>(u"Timer1Timer", &TForm1::Timer1Timer),
       PublishedMethod<TKeyEvent>(u"FormKeyDown", &TForm1::FormKeyDown)},
      {PublishedField(u"Timer1", &TForm1::Timer1), PublishedField(u"Label1", &TForm1::Label1),
       PublishedField(u"Button1", &TForm1::Button1), PublishedField(u"Button2", &TForm1::Button2),
       PublishedField(u"Button3", &TForm1::Button3)}};
  return p;
}

}  // namespace

HOST_CLASS_INFO_PUBLISHED(TForm1, TForm, &CreateOwned<TForm1>, &Form1Published)

void RegisterUnit1() { RegisterClass(TForm1::StaticClass()); }

void TForm1::FormCreate(TObject*) { segundos = 40; }

void TForm1::Button1Click(TObject*) {
  Label1->GetFont()->SetColor(clDefault);
  Label1->Repaint();
  if (segundos == 0) {
    Label1->SetCaption(u"40");
    segundos = 40;
  }
  if (Button1->GetCaption() != u"I-Pausar") {
    Timer1->SetEnabled(true);
    Button1->SetCaption(u"I-Pausar");
  } else {
    Button1->SetCaption(u"I-Continuar");
    Timer1->SetEnabled(false);
  }
}

void TForm1::Button2Click(TObject*) {
  Label1->GetFont()->SetColor(clDefault);
  Label1->Repaint();
  Label1->SetCaption(u"40");
  segundos = 40;
  Timer1->SetEnabled(false);
  Button1->SetCaption(u"I-Iniciar");
}

void TForm1::Button3Click(TObject*) {
  Label1->SetCaption(u"00");
  segundos = 0;
  Timer1->SetEnabled(false);
  Button1->SetCaption(u"I-Iniciar");
}

void TForm1::Timer1Timer(TObject*) {
  segundos = segundos - 1;
  Label1->SetCaption(IntToStr(segundos));
  if (segundos == 0) {
    Label1->GetFont()->SetColor(clRed);
    Label1->Repaint();
    // The result does not matter: without the file the default sound plays.
    sndPlaySoundW(u"bip.wav", SND_ASYNC);
    Timer1->SetEnabled(false);
    Button1->SetCaption(u"I-Iniciar");
  }
}

// The key is compared without its shift state, and not consumed.
void TForm1::FormKeyDown(TObject*, Word& Key, TShiftState) {
  switch (Key) {
    case 73: Button1->Click(); break;
    case 82: Button2->Click(); break;
    case 90: Button3->Click(); break;
    default: break;
  }
}
