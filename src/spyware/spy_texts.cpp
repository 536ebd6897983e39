#include "spyware/spy_texts.h"

#include "ui/result_menu.h"

namespace kestova::spyware {

// English, Portuguese, French, Spanish, Italian, Dutch, German, Norwegian.
const std::array<ui::TranslatedText, 9> kSpyTexts = {{
    {L"Label4",
     {L"Block installation of spyware active-x controls and bad cookies (IE).",
      L"Bloqueie a instala\u00E7\u00E3o de controles active-x espi\u00F5es e cookies maliciosos (IE).",
      L"Bloquer l'installation de contr\u00F4les active-x espions et de cookies nuisibles (IE).",
      L"Bloquee la instalaci\u00F3n de controles active-x esp\u00EDa y cookies da\u00F1inas (IE).",
      L"Blocca l'installazione di controlli active-x spia e di cookie dannosi (IE).",
      L"Blokkeer de installatie van spyware active-x besturingselementen en schadelijke cookies (IE).",
      L"Installation von Spyware-Active-X-Steuerelementen und sch\u00E4dlichen Cookies blockieren (IE).",
      L"Blokker installasjon av active-x-kontroller med spionprogram og skadelige informasjonskapsler (IE)."}},
    {L"BitBtnWithColor1",
     {L"&Block", L"&Bloquear", L"&Bloquer", L"&Bloquear", L"&Blocca", L"&Blokkeren", L"&Blockieren", L"&Blokker"}},
    {L"Label3",
     {L"&Unblock", L"&Desbloquear", L"&D\u00E9bloquer", L"&Desbloquear", L"&Sblocca", L"&Deblokkeren",
      L"&Freigeben", L"&Opphev blokkering"}},
    {L"Close1", {L"&Close", L"&Fechar", L"&Fermer", L"&Cerrar", L"&Chiudi", L"&Sluiten", L"&Schlie\u00DFen", L"&Lukk"}},
    {L"UpdateSpywareList1",
     {L"&Update spyware list", L"&Atualizar lista de spyware", L"&Mettre \u00E0 jour la liste des spywares",
      L"&Actualizar lista de spyware", L"&Aggiorna elenco spyware", L"Spywarelijst &bijwerken",
      L"Spyware-Liste &aktualisieren", L"&Oppdater spionprogramlisten"}},
    {L"Help1", {L"&Help", L"A&juda", L"&Aide", L"A&yuda", L"&Guida", L"&Help", L"&Hilfe", L"&Hjelp"}},
    {L"Label7",
     {L"Blocking needs administrator rights: start Kestova with Run as administrator",
      L"O bloqueio requer direitos de administrador: inicie o Kestova com Executar como administrador",
      L"Le blocage exige des droits d'administrateur : d\u00E9marrez Kestova avec Ex\u00E9cuter en tant "
      L"qu'administrateur",
      L"El bloqueo requiere derechos de administrador: inicie Kestova con Ejecutar como administrador",
      L"Il blocco richiede i diritti di amministratore: avviare Kestova con Esegui come amministratore",
      L"Blokkeren vereist beheerdersrechten: start Kestova met Als administrator uitvoeren",
      L"Blockieren erfordert Administratorrechte: Kestova mit Als Administrator ausf\u00FChren starten",
      L"Blokkering krever administratorrettigheter: start Kestova med Kj\u00F8r som administrator"}},
    {ui::kCopyItem, ui::kCopyItemTexts},
    {ui::kExportItem, ui::kExportItemTexts},
}};

}  // namespace kestova::spyware
