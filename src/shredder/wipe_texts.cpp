#include "shredder/wipe_texts.h"

namespace kestova::shredder {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const std::array<ui::TranslatedText, 12> kWipeTexts = {{
    {L"Label6",
     {L"Digital Shredder - Make files unrecoverable", L"Delete arquivos permanentemente",
      L"Effacer des dossiers à jamais", L"Borre los archivos para siempre", L"Cancellare i file per sempre",
      L"Schrap bestanden voorgoed", L"Löschen Sie Akten ewig", L"Stryker arkiver for evig"}},
    {L"Label4",
     {L"***** Use open menu or drag and drop a file down for deletion *****",
      L"***** Use menu abrir ou arraste arquivos abaixo para deleção *****",
      L"***** Lusage ouvre le menu ou traîne et tombe un dossier en bas pour la suppression *****",
      L"***** Use menú abre /  deja caer un archivo hacia abajo para supresión *****",
      L"***** Luso apre il menu o trascina e fa cadere un file giù per la soppressione *****",
      L"***** Gebruik open menu of ruk en laat vallen een bestand beneden voor schrapping *****",
      L"***** Benutzen Sie offenes Menü oder Widerstand und lassen Sie Fallen eine Akte für Löschung hinunter *****",
      L"***** Bruk åpner meny eller hindring og faller en arkiv ned for stryking *****"}},
    {L"BitBtnWithColor1",
     {L"&Shred files", L"&Deletar", L"&Effacer", L"&Borre", L"&Cancellare", L"&Schrap", L"&löschen", L"&Stryker"}},
    {L"RadioGroup1Item0",
     {L"Single pass", L"1 passada", L"1 passe", L"1 paso", L"1 passa", L"Een doorgang", L"1 Ausweis", L"1 pass"}},
    {L"RadioGroup1Item1",
     {L"Triple pass", L"3 passadas", L"3 passe", L"3 pasos", L"3 passa", L"Verdrievoudig doorgang", L"3 Ausweis",
      L"3 passes"}},
    {L"RadioGroup1Item2",
     {L"U.S. standard, DoD (7 passes)", L"U.S. standard, DoD (7 passadas)", L"U.S. standard, DoD (7 passe)",
      L"U.S. standard, DoD (7 pasos)", L"U.S. standard, DoD (7 passa)", L"U.S. standard, DoD (7 doorgangen)",
      L"U.S. standard, DoD (7 Ausweis)", L"U.S. standard, DoD (7 passes)"}},
    {L"RadioGroup1",
     {L"Data destruction algorithm", L"Algoritmo de destruição de dados", L"Lalgorithme de destruction de données",
      L"Algoritmo de destrucción de datos", L"Algoritmo di distruzione di dati", L"Het gegevensvernietiging algoritme",
      L"Datenzerstörungsalgorithmus", L"Dataødeleggelsesalgoritme"}},
    {L"Open1", {L"&Open", L"&Abrir", L"&Ouvrir", L"&Abra", L"&Aprire", L"&Open", L"&Offener", L"&åPner"}},
    {L"Delete1", {L"Shred", L"Deletar", L"Effacer", L"Borre", L"Cancellare", L"Schrap", L"löschen", L"Stryker"}},
    {L"Clear1",
     {L"C&lear list", L"L&impar lista", L"Eclaircir la liste", L"Vacíe la lista", L"Chiarire lelenco",
      L"Klaar lijst op", L"Reinigen Sie Liste", L"Rydder listet"}},
    {L"Removeitem1",
     {L"&Remove item", L"&Remover item", L"&Enlever larticle", L"&Quite artículo", L"&Togliere larticolo",
      L"&Verwijder onderdeel", L"&Nehmen Sie Punkt heraus", L"&Fjerner ting"}},
    {L"About1", {L"&Help", L"&Ajuda", L"&Aide", L"&Ayuda", L"&Aiuto", L"&Hulp", L"&Hilfe", L"&Hjelp"}},
}};

}  // namespace kestova::shredder
