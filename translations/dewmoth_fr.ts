<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>QObject</name>
    <message>
        <source>%1 could not be opened: nothing on this computer opens web addresses.</source>
        <translation>Impossible d'ouvrir %1 : rien sur cet ordinateur n'ouvre les adresses web.</translation>
    </message>
</context>
<context>
    <name>dewmoth</name>
    <message>
        <source>The display could not be reached to show the window on; try dewmoth --print</source>
        <translation>L'écran où afficher la fenêtre est injoignable ; essayez dewmoth --print</translation>
    </message>
    <message>
        <source>The text could not be written.</source>
        <translation>Impossible d'écrire le texte.</translation>
    </message>
    <message>
        <source>The saying was cut after %1 characters; the file holds more.</source>
        <translation>La maxime a été coupée après %1 caractères ; le fichier en contient davantage.</translation>
    </message>
    <message>
        <source>a folder on its path does not exist</source>
        <translation>un dossier de son chemin n'existe pas</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permission refusée</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>le disque est en lecture seule</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>il est trop volumineux</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n'est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the program's path cannot be written into a start-up entry</source>
        <translation>le chemin du programme ne peut pas être écrit dans une entrée de démarrage</translation>
    </message>
    <message>
        <source>the desktop did not take it</source>
        <translation>le bureau ne l'a pas pris en compte</translation>
    </message>
    <message>
        <source>another program is using it</source>
        <translation>un autre programme l'utilise</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>il n'y a pas assez de mémoire</translation>
    </message>
    <message>
        <source>the system reported an unexpected error</source>
        <translation>le système a signalé une erreur inattendue</translation>
    </message>
    <message>
        <source>Shows one short saying at a time, picked at random from the quote file.</source>
        <translation>Affiche une courte maxime à la fois, choisie au hasard dans le fichier des maximes.</translation>
    </message>
    <message>
        <source>Write one saying to standard output and end, without opening a window.</source>
        <translation>Écrire une maxime sur la sortie standard et terminer, sans ouvrir de fenêtre.</translation>
    </message>
    <message>
        <source>Unexpected argument '%1'.</source>
        <translation>Argument inattendu « %1 ».</translation>
    </message>
    <message>
        <source>There is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); try dewmoth --print</source>
        <translation>Aucun écran où afficher la fenêtre (ni DISPLAY ni WAYLAND_DISPLAY n'est défini) ; essayez dewmoth --print</translation>
    </message>
    <message>
        <source>There is no quote file at %1.</source>
        <translation>Il n'y a pas de fichier des maximes à %1.</translation>
    </message>
    <message>
        <source>The quote file %1 could not be read: %2.</source>
        <translation>Impossible de lire le fichier des maximes %1 : %2.</translation>
    </message>
    <message>
        <source>The quote file %1 holds no sayings.</source>
        <translation>Le fichier des maximes %1 ne contient aucune maxime.</translation>
    </message>
    <message>
        <source>The saying could not be written.</source>
        <translation>Impossible d'écrire la maxime.</translation>
    </message>
    <message>
        <source>an index, not sayings</source>
        <translation>un index, pas des maximes</translation>
    </message>
    <message>
        <source>its twin ending in .u8 is read instead</source>
        <translation>son jumeau en .u8 est lu à sa place</translation>
    </message>
    <message>
        <source>the same file as one read already</source>
        <translation>le même fichier qu'un fichier déjà lu</translation>
    </message>
    <message>
        <source>not a file (a FIFO, device or socket)</source>
        <translation>pas un fichier (un FIFO, un périphérique ou un socket)</translation>
    </message>
    <message>
        <source>a folder more than one level down</source>
        <translation>un dossier à plus d'un niveau de profondeur</translation>
    </message>
    <message>
        <source>cannot be reached</source>
        <translation>inaccessible</translation>
    </message>
    <message>
        <source>passed over: %1</source>
        <translation>ignoré : %1</translation>
    </message>
    <message>
        <source>sayings: %1 (fortune file)</source>
        <translation>maximes : %1 (fichier fortune)</translation>
    </message>
    <message>
        <source>sayings: %1 (one per line)</source>
        <translation>maximes : %1 (une par ligne)</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>sayings in all: %1</source>
        <translation>maximes en tout : %1</translation>
    </message>
    <message>
        <source>it holds no text</source>
        <translation>il ne contient pas de texte</translation>
    </message>
    <message>
        <source>Read the sayings of this file or folder instead of the quote files; may be given more than once.</source>
        <translation>Lire les maximes de ce fichier ou de ce dossier au lieu des fichiers de maximes ; peut être donné plusieurs fois.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>chemin</translation>
    </message>
    <message>
        <source>List the files the sayings are read from, with how many each holds and why any is passed over, and end.</source>
        <translation>Lister les fichiers d'où les maximes sont lues, avec le nombre que chacun contient et pourquoi un fichier est ignoré, puis terminer.</translation>
    </message>
</context>
<context>
    <name>dewmoth::about::frmAbout</name>
    <message>
        <source>Orlan Vesty Readings gathers short sayings for readers who like to start the day with a thought to carry along, and sends a new selection every season.</source>
        <translation>Orlan Vesty Readings réunit de courtes maximes pour qui aime commencer la journée avec une pensée, et en envoie un nouveau choix chaque saison.</translation>
    </message>
    <message>
        <source>This program was written to bring one of those sayings to your desktop each day. Its companion, a collection of the complete readings, is in the making.</source>
        <translation>Ce programme apporte chaque jour une de ces maximes sur votre bureau. Un recueil complet des textes est en préparation.</translation>
    </message>
    <message>
        <source>We hope that these few words, passed from one screen to the next, help to spread Orlan Vesty's message of patience and quiet courage to all who need it.</source>
        <translation>Puissent ces mots, d'écran en écran, porter le message de patience et de courage tranquille d'Orlan Vesty à qui en a besoin.</translation>
    </message>
    <message>
        <source>The companion collection is being prepared with the generous help of the Friends of the Vesty Readings, a circle of volunteers devoted to keeping his notes and archive alive.</source>
        <translation>Le recueil naît avec l'aide généreuse des Amis des Vesty Readings, des bénévoles qui font vivre ses notes et ses archives.</translation>
    </message>
    <message>
        <source>Interested in learning more about Orlan Vesty?  Do you want to see the complete collection of his readings?  Please visit us at:</source>
        <translation>Envie d'en savoir plus sur Orlan Vesty ?  De voir le recueil complet de ses textes ?  Rendez-nous visite :</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Copyright © 2026 Orlan Vesty Readings Circle</source>
        <translation>Copyright © 2026 Orlan Vesty Readings Circle</translation>
    </message>
    <message>
        <source>The background picture of this program appears with the kind permission of the Friends of the Vesty Readings, who hold all rights to it. It may be shown as part of this program but may not be copied, changed or used on its own in any other work or product without their written consent. Please ask them before you reuse it anywhere else.</source>
        <translation>L'image de fond paraît avec l'aimable permission des Amis des Vesty Readings, qui en détiennent tous les droits. Elle peut être montrée dans ce programme, mais ni copiée, ni modifiée, ni utilisée ailleurs sans leur accord écrit.</translation>
    </message>
    <message>
        <source>Orlan Vesty's sayings are protected by copyright and are shown here for personal reading. Please name him when you share them.</source>
        <translation>Les maximes d'Orlan Vesty sont protégées et montrées ici pour une lecture personnelle. Citez-le si vous les partagez.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Système...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment</translation>
    </message>
</context>
<context>
    <name>dewmoth::quote_window::frmTip</name>
    <message>
        <source>&amp;Previous Tip</source>
        <translation>Astuce &amp;précédente</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copier</translation>
    </message>
    <message>
        <source>The quote file %1 holds no sayings. Write one saying on each line of it.</source>
        <translation>Le fichier des maximes %1 ne contient aucune maxime. Écrivez une maxime par ligne.</translation>
    </message>
    <message>
        <source>%1 could not be set to start at logon: %2.</source>
        <translation>Impossible de faire démarrer %1 à l'ouverture de session : %2.</translation>
    </message>
    <message>
        <source>%1 could not be kept from starting at logon: %2.</source>
        <translation>Impossible d'empêcher %1 de démarrer à l'ouverture de session : %2.</translation>
    </message>
    <message>
        <source>Interested in learning more about Orlan Vesty?  Do you want to see the complete collection of his readings?  Please visit us at:</source>
        <translation>Envie d'en savoir plus sur Orlan Vesty ?  De voir le recueil complet de ses textes ?  Rendez-nous visite :</translation>
    </message>
    <message>
        <source>&amp;Show at Startup</source>
        <translation>&amp;Afficher au démarrage</translation>
    </message>
    <message>
        <source>Did you know...</source>
        <translation>Le saviez-vous...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Next Tip</source>
        <translation>&amp;Suivante</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;Show Tips at Startup</source>
        <translation>&amp;Afficher au démarrage</translation>
    </message>
    <message>
        <source>That the %1 file was not found? </source>
        <translation>Le fichier %1 est introuvable. </translation>
    </message>
    <message>
        <source>Create a text file named %1 using NotePad with 1 tip per line. </source>
        <translation>Créez avec un éditeur de texte un fichier %1, une maxime par ligne. </translation>
    </message>
    <message>
        <source>Then place it in the same directory as the application. </source>
        <translation>Placez-le ensuite dans le dossier du programme. </translation>
    </message>
    <message>
        <source>The quote file %1 could not be read: %2.</source>
        <translation>Impossible de lire le fichier des maximes %1 : %2.</translation>
    </message>
</context>
</TS>
