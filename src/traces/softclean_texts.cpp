#include "traces/softclean_texts.h"

namespace kestova::traces {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const std::array<ui::TranslatedText, 5> kSoftcleanTexts = {{
    {L"Label6",
     {L"Clean Windows", L"Limpe items do Windows", L"Nettoyer des articles dans Windows",
      L"Limpie artículos en Windows", L"Pulire gli articoli nei Windows", L"Propere onderdelen in Windows",
      L"Reinigen Sie Punkte in Windows", L"Rengjør ting i Windows"}},
    {L"Label4",
     {L"Check all", L"Marque todos", L"Choisir tout", L"Escoja todo", L"Scegliere tutto", L"Selecteer iedereen",
      L"Wählen Sie alle aus", L"Velger ut all"}},
    {L"Label5",
     {L"Uncheck all", L"Desmarque", L"Déssélectionner tout", L"Rechace todo", L"Deselezionare tutto",
      L"Schrap", L"Entmarkieren Sie alle", L"Deselect all"}},
    {L"BitBtnWithColor1",
     {L"&Clean", L"&Limpe", L"&Nettoyer", L"&Limpie", L"&Pulire", L"Volkomen", L"&Reinigen Sie",
      L"&Rengjør"}},
    {L"Menu1", {L"&Help", L"&Ajuda", L"&Aide", L"&Ayuda", L"&Aiuto", L"&Hulp", L"&Hilfe", L"&Hjelp"}},
}};

}  // namespace kestova::traces
