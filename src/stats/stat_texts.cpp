#include "stats/stat_texts.h"

#include "ui/result_menu.h"

namespace kestova::stats {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const std::array<ui::TranslatedText, 14> kStatTexts = {{
    {L"BitBtnWithColor4",
     {L"C&ollect Stats", L"&Coletar estat\u00EDsticas", L"&Collecter les stats", L"&Recopilar datos",
      L"&Raccogli statistiche", L"&Verzamelen", L"Statistik &erfassen", L"&Samle statistikk"}},
    {L"RG2", {L"Graphic", L"Gr\u00E1fico", L"Graphique", L"Gr\u00E1fico", L"Grafico", L"Grafiek", L"Diagramm", L"Diagram"}},
    {L"RG2Item0",
     {L"File Extensions", L"Extens\u00F5es de arquivo", L"Extensions de fichiers", L"Extensiones de archivo",
      L"Estensioni dei file", L"Bestandsextensies", L"Dateierweiterungen", L"Filendelser"}},
    {L"RG2Item1",
     {L"Directory Sizes", L"Tamanho das pastas", L"Taille des dossiers", L"Tama\u00F1o de carpetas",
      L"Dimensioni cartelle", L"Mapgrootten", L"Ordnergr\u00F6\u00DFen", L"Mappest\u00F8rrelser"}},
    {L"RG2Item2",
     {L"File Size top 1000", L"1000 maiores arquivos", L"1000 plus gros fichiers", L"1000 archivos mayores",
      L"1000 file pi\u00F9 grandi", L"Top 1000 bestanden", L"1000 gr\u00F6\u00DFte Dateien", L"1000 st\u00F8rste filer"}},
    {L"RG1", {L"Sort:", L"Ordenar:", L"Trier :", L"Ordenar:", L"Ordina:", L"Sorteren:", L"Sortieren:", L"Sorter:"}},
    {L"RG1Item0",
     {L"Type of files", L"Tipo de arquivo", L"Type de fichier", L"Tipo de archivo", L"Tipo di file", L"Bestandstype",
      L"Dateityp", L"Filtype"}},
    {L"RG1Item1",
     {L"Number of files", L"N\u00FAmero de arquivos", L"Nombre de fichiers", L"N\u00FAmero de archivos",
      L"Numero di file", L"Aantal bestanden", L"Anzahl Dateien", L"Antall filer"}},
    {L"RG1Item2",
     {L"Total size", L"Tamanho total", L"Taille totale", L"Tama\u00F1o total", L"Dimensione totale", L"Totale grootte",
      L"Gesamtgr\u00F6\u00DFe", L"Total st\u00F8rrelse"}},
    {L"Label5", {L"USED:", L"USADO:", L"UTILIS\u00C9 :", L"USADO:", L"USATO:", L"GEBRUIKT:", L"BELEGT:", L"BRUKT:"}},
    {L"Label4", {L"FREE:", L"LIVRE:", L"LIBRE :", L"LIBRE:", L"LIBERO:", L"VRIJ:", L"FREI:", L"LEDIG:"}},
    {L"Label2",
     {L"View largest files", L"Ver os maiores arquivos", L"Voir les plus gros fichiers", L"Ver los mayores archivos",
      L"Mostra i file pi\u00F9 grandi", L"Grootste bestanden", L"Gr\u00F6\u00DFte Dateien anzeigen",
      L"Vis de st\u00F8rste filene"}},
    {ui::kCopyItem, ui::kCopyItemTexts},
    {ui::kExportItem, ui::kExportItemTexts},
}};

const ui::TranslatedText kCollectionStopped = {
    L"Edit3",
    {L"Collection stopped - results incomplete", L"Coleta interrompida - resultados incompletos",
     L"Collecte arr\u00EAt\u00E9e - r\u00E9sultats incomplets", L"Recopilaci\u00F3n detenida - resultados incompletos",
     L"Raccolta interrotta - risultati incompleti", L"Verzamelen gestopt - resultaten onvolledig",
     L"Erfassung abgebrochen - Ergebnisse unvollst\u00E4ndig", L"Innsamling stoppet - resultatene er ufullstendige"}};

}  // namespace kestova::stats
