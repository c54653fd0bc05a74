<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>QObject</name>
    <message>
        <source>%1 could not be opened: nothing on this computer opens web addresses.</source>
        <translation>No se pudo abrir %1: nada en este equipo abre direcciones web.</translation>
    </message>
</context>
<context>
    <name>dewmoth</name>
    <message>
        <source>The display could not be reached to show the window on; try dewmoth --print</source>
        <translation>No se pudo acceder a la pantalla para mostrar la ventana; pruebe dewmoth --print</translation>
    </message>
    <message>
        <source>The text could not be written.</source>
        <translation>No se pudo escribir el texto.</translation>
    </message>
    <message>
        <source>The saying was cut after %1 characters; the file holds more.</source>
        <translation>El dicho se cortó tras %1 caracteres; el archivo contiene más.</translation>
    </message>
    <message>
        <source>a folder on its path does not exist</source>
        <translation>una carpeta de su ruta no existe</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>permiso denegado</translation>
    </message>
    <message>
        <source>the disk is read-only</source>
        <translation>el disco es de solo lectura</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>el disco está lleno</translation>
    </message>
    <message>
        <source>it is too large</source>
        <translation>es demasiado grande</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>the program's path cannot be written into a start-up entry</source>
        <translation>la ruta del programa no se puede escribir en una entrada de inicio</translation>
    </message>
    <message>
        <source>the desktop did not take it</source>
        <translation>el escritorio no lo aceptó</translation>
    </message>
    <message>
        <source>another program is using it</source>
        <translation>otro programa lo está usando</translation>
    </message>
    <message>
        <source>there is not enough memory</source>
        <translation>no hay memoria suficiente</translation>
    </message>
    <message>
        <source>the system reported an unexpected error</source>
        <translation>el sistema informó de un error inesperado</translation>
    </message>
    <message>
        <source>Shows one short saying at a time, picked at random from the quote file.</source>
        <translation>Muestra un refrán breve cada vez, elegido al azar del archivo de refranes.</translation>
    </message>
    <message>
        <source>Write one saying to standard output and end, without opening a window.</source>
        <translation>Escribir un refrán en la salida estándar y terminar, sin abrir ventana.</translation>
    </message>
    <message>
        <source>Unexpected argument '%1'.</source>
        <translation>Argumento inesperado «%1».</translation>
    </message>
    <message>
        <source>There is no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); try dewmoth --print</source>
        <translation>No hay pantalla donde mostrar la ventana (no está definida ni DISPLAY ni WAYLAND_DISPLAY); pruebe dewmoth --print</translation>
    </message>
    <message>
        <source>There is no quote file at %1.</source>
        <translation>No hay ningún archivo de refranes en %1.</translation>
    </message>
    <message>
        <source>The quote file %1 could not be read: %2.</source>
        <translation>No se pudo leer el archivo de refranes %1: %2.</translation>
    </message>
    <message>
        <source>The quote file %1 holds no sayings.</source>
        <translation>El archivo de refranes %1 no contiene refranes.</translation>
    </message>
    <message>
        <source>The saying could not be written.</source>
        <translation>No se pudo escribir el refrán.</translation>
    </message>
    <message>
        <source>an index, not sayings</source>
        <translation>un índice, no refranes</translation>
    </message>
    <message>
        <source>its twin ending in .u8 is read instead</source>
        <translation>se lee en su lugar su gemelo terminado en .u8</translation>
    </message>
    <message>
        <source>the same file as one read already</source>
        <translation>el mismo archivo que uno ya leído</translation>
    </message>
    <message>
        <source>not a file (a FIFO, device or socket)</source>
        <translation>no es un archivo (un FIFO, dispositivo o socket)</translation>
    </message>
    <message>
        <source>a folder more than one level down</source>
        <translation>una carpeta a más de un nivel de profundidad</translation>
    </message>
    <message>
        <source>cannot be reached</source>
        <translation>no se puede alcanzar</translation>
    </message>
    <message>
        <source>passed over: %1</source>
        <translation>omitido: %1</translation>
    </message>
    <message>
        <source>sayings: %1 (fortune file)</source>
        <translation>refranes: %1 (archivo fortune)</translation>
    </message>
    <message>
        <source>sayings: %1 (one per line)</source>
        <translation>refranes: %1 (uno por línea)</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>no encontrado</translation>
    </message>
    <message>
        <source>sayings in all: %1</source>
        <translation>refranes en total: %1</translation>
    </message>
    <message>
        <source>it holds no text</source>
        <translation>no contiene texto</translation>
    </message>
    <message>
        <source>Read the sayings of this file or folder instead of the quote files; may be given more than once.</source>
        <translation>Leer los refranes de este archivo o carpeta en lugar de los archivos de refranes; se puede indicar más de una vez.</translation>
    </message>
    <message>
        <source>path</source>
        <translation>ruta</translation>
    </message>
    <message>
        <source>List the files the sayings are read from, with how many each holds and why any is passed over, and end.</source>
        <translation>Listar los archivos de los que se leen los refranes, con cuántos contiene cada uno y por qué se omite alguno, y terminar.</translation>
    </message>
</context>
<context>
    <name>dewmoth::about::frmAbout</name>
    <message>
        <source>Orlan Vesty Readings gathers short sayings for readers who like to start the day with a thought to carry along, and sends a new selection every season.</source>
        <translation>Orlan Vesty Readings reúne refranes breves para quien empieza el día con un pensamiento, y envía una nueva selección cada temporada.</translation>
    </message>
    <message>
        <source>This program was written to bring one of those sayings to your desktop each day. Its companion, a collection of the complete readings, is in the making.</source>
        <translation>Este programa lleva cada día uno de esos refranes a su escritorio. Se prepara una colección completa de los textos.</translation>
    </message>
    <message>
        <source>We hope that these few words, passed from one screen to the next, help to spread Orlan Vesty's message of patience and quiet courage to all who need it.</source>
        <translation>Ojalá estas palabras, de pantalla en pantalla, lleven el mensaje de paciencia y valor sereno de Orlan Vesty a quien lo necesite.</translation>
    </message>
    <message>
        <source>The companion collection is being prepared with the generous help of the Friends of the Vesty Readings, a circle of volunteers devoted to keeping his notes and archive alive.</source>
        <translation>La colección nace con la generosa ayuda de los Amigos de Vesty Readings, voluntarios que mantienen vivos sus notas y su archivo.</translation>
    </message>
    <message>
        <source>Interested in learning more about Orlan Vesty?  Do you want to see the complete collection of his readings?  Please visit us at:</source>
        <translation>¿Quiere saber más de Orlan Vesty?  ¿Ver la colección completa de sus textos?  Visítenos en:</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
    <message>
        <source>Copyright © 2026 Orlan Vesty Readings Circle</source>
        <translation>Copyright © 2026 Orlan Vesty Readings Circle</translation>
    </message>
    <message>
        <source>The background picture of this program appears with the kind permission of the Friends of the Vesty Readings, who hold all rights to it. It may be shown as part of this program but may not be copied, changed or used on its own in any other work or product without their written consent. Please ask them before you reuse it anywhere else.</source>
        <translation>La imagen de fondo aparece con el amable permiso de los Amigos de Vesty Readings, titulares de todos sus derechos. Puede mostrarse en este programa, pero no copiarse, cambiarse ni usarse en otra obra sin su permiso escrito.</translation>
    </message>
    <message>
        <source>Orlan Vesty's sayings are protected by copyright and are shown here for personal reading. Please name him when you share them.</source>
        <translation>Los refranes de Orlan Vesty están protegidos y se muestran para lectura personal. Cítelo si los comparte.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>Info &amp;sistema...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Acerca de %1</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Versión %1</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>La información del sistema no está disponible en este momento</translation>
    </message>
</context>
<context>
    <name>dewmoth::quote_window::frmTip</name>
    <message>
        <source>&amp;Previous Tip</source>
        <translation>Consejo &amp;anterior</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>The quote file %1 holds no sayings. Write one saying on each line of it.</source>
        <translation>El archivo de dichos %1 no contiene dichos. Escriba un dicho en cada línea.</translation>
    </message>
    <message>
        <source>%1 could not be set to start at logon: %2.</source>
        <translation>No se pudo hacer que %1 se inicie al iniciar sesión: %2.</translation>
    </message>
    <message>
        <source>%1 could not be kept from starting at logon: %2.</source>
        <translation>No se pudo evitar que %1 se inicie al iniciar sesión: %2.</translation>
    </message>
    <message>
        <source>Interested in learning more about Orlan Vesty?  Do you want to see the complete collection of his readings?  Please visit us at:</source>
        <translation>¿Quiere saber más de Orlan Vesty?  ¿Ver la colección completa de sus textos?  Visítenos en:</translation>
    </message>
    <message>
        <source>&amp;Show at Startup</source>
        <translation>&amp;Mostrar al inicio</translation>
    </message>
    <message>
        <source>Did you know...</source>
        <translation>¿Sabía que...</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;Aceptar</translation>
    </message>
    <message>
        <source>&amp;Next Tip</source>
        <translation>&amp;Siguiente</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Acerca &amp;de</translation>
    </message>
    <message>
        <source>&amp;Show Tips at Startup</source>
        <translation>&amp;Mostrar al inicio</translation>
    </message>
    <message>
        <source>That the %1 file was not found? </source>
        <translation>No se encontró el archivo %1. </translation>
    </message>
    <message>
        <source>Create a text file named %1 using NotePad with 1 tip per line. </source>
        <translation>Cree con un editor de texto un archivo %1, un refrán por línea. </translation>
    </message>
    <message>
        <source>Then place it in the same directory as the application. </source>
        <translation>Luego colóquelo en la carpeta del programa. </translation>
    </message>
    <message>
        <source>The quote file %1 could not be read: %2.</source>
        <translation>No se pudo leer el archivo de refranes %1: %2.</translation>
    </message>
</context>
</TS>
