#include "registry/TMainForm_texts.h"

#include "ui/result_menu.h"

namespace kestova::registry {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const std::array<ui::TranslatedText, 9> kMainFormTexts = {{
    {L"sbSearchE",
     {L"&Start", L"&Iniciar", L"&D\u00E9marrer", L"&Iniciar", L"&Avvia", L"&Start", L"&Start", L"&Start"}},
    {L"Button2", {L"&Errors", L"&Erros", L"&Erreurs", L"&Errores", L"&Errori", L"&Fouten", L"&Fehler", L"&Feil"}},
    {L"Button3",
     {L"&Repair", L"&Reparar", L"&R\u00E9parer", L"&Reparar", L"&Ripara", L"&Herstel", L"&Reparieren", L"&Reparer"}},
    {L"Button4",
     {L"Re&store", L"Re&staurar", L"Re&staurer", L"Re&staurar", L"Ri&pristina", L"Her&stel vorige",
      L"&Wiederherstellen", L"Gjen&opprett"}},
    {L"CheckBox1", {L"Extra", L"Extra", L"Extra", L"Extra", L"Extra", L"Extra", L"Extra", L"Ekstra"}},
    {L"pcMain",
     {L"Fix Windows errors", L"Corrigir erros do Windows", L"Corriger les erreurs de Windows",
      L"Corregir errores de Windows", L"Correggi gli errori di Windows", L"Windows-fouten herstellen",
      L"Windows-Fehler beheben", L"Rett Windows-feil"}},
    {L"BitBtn1", {L"&Help", L"&Ajuda", L"&Aide", L"&Ayuda", L"&Aiuto", L"&Help", L"&Hilfe", L"&Hjelp"}},
    {ui::kCopyItem, ui::kCopyItemTexts},
    {ui::kExportItem, ui::kExportItemTexts},
}};

}  // namespace kestova::registry
