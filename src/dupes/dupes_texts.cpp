#include "dupes/dupes_texts.h"

#include "ui/result_menu.h"

namespace kestova::dupes {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const std::array<ui::TranslatedText, 7> kDupsTexts = {{
    {L"Label3",
     {L"Find and delete duplicates", L"Arquivos duplicados", L"La découverte Polycopie", L"El hallazgo Duplica",
      L"La scoperta Duplica", L"De vondst Verdubbelt", L"Fund Reproduziert", L"Funn Dupliserer"}},
    {L"BitBtnWithColor2",
     {L"&Start", L"&Inicio", L"&Début", L"&Comienzo", L"&Inizio", L"&De start", L"&Anfang", L"&Start"}},
    {L"BitBtn5",
     {L"&Delete", L"&Deletar", L"&Effacer", L"&Borre", L"&Cancellare", L"&Schrap", L"&Löschen Sie", L"&Stryker"}},
    {L"CheckBox2", {L"Limit", L"Limite", L"Limite", L"Límite", L"Limite", L"De limiet", L"Grenze", L"Grense"}},
    {L"Help1", {L"&Help", L"&Ajuda", L"&Aide", L"&Ayuda", L"&Aiuto", L"&Hulp", L"&Hilfe", L"&Hjelp"}},
    {ui::kCopyItem, ui::kCopyItemTexts},
    {ui::kExportItem, ui::kExportItemTexts},
}};

// Seven lines each; the last ones are empty where a language has no more to say.
const std::array<ui::TranslatedText, 1> kDupgTexts = {{
    {L"Memo1",
     {L"Kestova is now reading the selected disk for duplicate files.\r\n"
      L"\"A list of files found will be displayed, all marked  not to delete on\r\n"
      L"\"delete?\"  column, you may mark a file to delete  by clicking this \r\n"
      L"column and   YES will appear, mark all files you  want erase, then\r\n"
      L"hit Delete Button. Principal system files was excluded of the list for \r\n"
      L"security, but when in doubt do not delete.  \r\n",
      L"Procurando arquivos\r\n"
      L"\r\n"
      L"Quando busca terminar, para deletar \r\n"
      L"um arquivo clique na coluna DELETE\r\n"
      L"e depois no botao DELETE\r\n"
      L"\r\n",
      L"chercher doubles\r\n"
      L"\r\n"
      L"quand les fins de recherche, effacer un dossier \r\n"
      L"cliquer sur la colonne efface, et sur le bouton efface\r\n"
      L"\r\n"
      L"\r\n",
      L"buscar para duplicados\r\n"
      L"\r\n"
      L"cuándo fines de búsqueda, para borrar un archivo \r\n"
      L"el clic en la columna borra, y en el botón borra\r\n"
      L"\r\n"
      L"\r\n",
      L"duplicati di cercare\r\n"
      L"\r\n"
      L"quando le fini di ricerca, cancellare un file \r\n"
      L"lo scatto sulla colonna cancella, e sul bottone cancella\r\n"
      L"\r\n"
      L"\r\n",
      L"Zoekend naar duplicaten\r\n"
      L"\r\n"
      L"Wanneer zoektocht einden, om een bestand te schrappen \r\n"
      L"De klik op kolom schrapt en op knoop schrap\r\n"
      L"\r\n"
      L"\r\n",
      L"Suchen Kopien\r\n"
      L"\r\n"
      L"Wenn Suchenenden, eine Akte zu löschen \r\n"
      L"Klicken auf Spalte löscht, und auf Knopf löscht\r\n"
      L"\r\n"
      L"\r\n",
      L"letingseetter duplikater\r\n"
      L"\r\n"
      L"når letingsslutter, stryke en arkiv \r\n"
      L"pklikk på søyle stryker, og på knapp stryker\r\n"
      L"\r\n"
      L"\r\n"}},
}};

const ui::TranslatedText kSearchStopped = {
    L"Edit3",
    {L"Search stopped - no duplicates listed", L"Busca interrompida - nenhum duplicado listado",
     L"Recherche arr\u00EAt\u00E9e - aucun doublon list\u00E9", L"B\u00FAsqueda detenida - ning\u00FAn duplicado listado",
     L"Ricerca interrotta - nessun duplicato elencato", L"Zoeken gestopt - geen duplicaten vermeld",
     L"Suche abgebrochen - keine Duplikate aufgelistet", L"S\u00F8k stoppet - ingen duplikater listet"}};

}  // namespace kestova::dupes
