<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Hyperlink</name>
    <message>
        <source>Jump</source>
        <translation>Saltar</translation>
    </message>
    <message>
        <source>Follows the link</source>
        <translation>Sigue el enlace</translation>
    </message>
</context>
<context>
    <name>tarvex::AppFilterRow</name>
    <message>
        <source>A&amp;pplications:</source>
        <translation>A&amp;plicaciones:</translation>
    </message>
    <message>
        <source>Applications the hotkey acts in</source>
        <translation>Aplicaciones en las que actúa el atajo</translation>
    </message>
    <message>
        <source>All applications</source>
        <translation>Todas las aplicaciones</translation>
    </message>
    <message>
        <source>Only in</source>
        <translation>Solo en</translation>
    </message>
    <message>
        <source>Not in</source>
        <translation>Excepto en</translation>
    </message>
    <message>
        <source>Application names</source>
        <translation>Nombres de aplicaciones</translation>
    </message>
    <message>
        <source>app ids or window classes, separated by commas</source>
        <translation>ids de aplicación o clases de ventana, separados por comas</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Elegir…</translation>
    </message>
    <message>
        <source>Choose a running application</source>
        <translation>Elegir una aplicación en ejecución</translation>
    </message>
    <message>
        <source>This desktop does not tell Tarvex which application is in front; hotkeys limited to applications will not fire.</source>
        <translation>Este escritorio no indica a Tarvex qué aplicación está en primer plano; los atajos limitados a aplicaciones no se ejecutarán.</translation>
    </message>
    <message>
        <source>No running applications are known</source>
        <translation>No se conoce ninguna aplicación en ejecución</translation>
    </message>
</context>
<context>
    <name>tarvex::AppearanceChoices</name>
    <message>
        <source>Standard</source>
        <translation>Estándar</translation>
    </message>
    <message>
        <source>Flat</source>
        <translation>Plano</translation>
    </message>
    <message>
        <source>3D Hover</source>
        <translation>3D al pasar</translation>
    </message>
    <message>
        <source>Gel Button</source>
        <translation>Botón de gel</translation>
    </message>
    <message>
        <source>Flat Hover</source>
        <translation>Plano al pasar</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Azul</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Plata</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Oliva</translation>
    </message>
    <message>
        <source>Style One</source>
        <translation>Estilo uno</translation>
    </message>
    <message>
        <source>Style Two</source>
        <translation>Estilo dos</translation>
    </message>
    <message>
        <source>Style Three</source>
        <translation>Estilo tres</translation>
    </message>
    <message>
        <source>Style Four</source>
        <translation>Estilo cuatro</translation>
    </message>
    <message>
        <source>Style Five</source>
        <translation>Estilo cinco</translation>
    </message>
    <message>
        <source>Style Six</source>
        <translation>Estilo seis</translation>
    </message>
    <message>
        <source>Rounded</source>
        <translation>Redondeado</translation>
    </message>
    <message>
        <source>Glass</source>
        <translation>Cristal</translation>
    </message>
    <message>
        <source>Soft Highlight</source>
        <translation>Resalte suave</translation>
    </message>
    <message>
        <source>Gradient</source>
        <translation>Degradado</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barra de herramientas</translation>
    </message>
    <message>
        <source>Glossy Toolbar</source>
        <translation>Barra de herramientas brillante</translation>
    </message>
    <message>
        <source>Banded</source>
        <translation>Franjas</translation>
    </message>
    <message>
        <source>Tile</source>
        <translation>Mosaico</translation>
    </message>
    <message>
        <source>Desktop Theme</source>
        <translation>Tema del escritorio</translation>
    </message>
    <message>
        <source>Khaki</source>
        <translation>Caqui</translation>
    </message>
    <message>
        <source>Amber</source>
        <translation>Ámbar</translation>
    </message>
</context>
<context>
    <name>tarvex::ArgumentsField</name>
    <message>
        <source>runs: (the chosen program) %1</source>
        <translation>ejecuta: (el programa elegido) %1</translation>
    </message>
    <message>
        <source>runs: %1</source>
        <translation>ejecuta: %1</translation>
    </message>
    <message>
        <source>opens: %1 (with the desktop&apos;s default application)</source>
        <translation>abre: %1 (con la aplicación predeterminada del escritorio)</translation>
    </message>
    <message>
        <source>opens: %1 (with the desktop&apos;s default application); the arguments are ignored, only a program takes them</source>
        <translation>abre: %1 (con la aplicación predeterminada del escritorio); los argumentos se ignoran, solo un programa los recibe</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumentos:</translation>
    </message>
    <message>
        <source>Arguments</source>
        <translation>Argumentos</translation>
    </message>
    <message>
        <source>Command run</source>
        <translation>Orden ejecutada</translation>
    </message>
</context>
<context>
    <name>tarvex::CaptureBox</name>
    <message>
        <source>Press the keys of the hotkey one after another. Backspace erases the last key; Ctrl+Tab moves on.</source>
        <translation>Pulsa las teclas del atajo una tras otra. Retroceso borra la última tecla; Ctrl+Tab pasa al siguiente control.</translation>
    </message>
</context>
<context>
    <name>tarvex::ChordDetection</name>
    <message>
        <source>The desktop&apos;s shortcuts run only modifier keys with one key, so these hotkeys will not run: %1.</source>
        <translation>Los atajos del escritorio solo admiten teclas modificadoras con una tecla más, así que estos atajos no funcionarán: %1.</translation>
    </message>
</context>
<context>
    <name>tarvex::EvdevKeyStateSource</name>
    <message>
        <source>Tarvex cannot read the keyboards, so your hotkeys do not work.</source>
        <translation>Tarvex no puede leer los teclados, así que tus atajos no funcionan.</translation>
    </message>
    <message>
        <source>Tarvex finds no keyboard, so your hotkeys do not work.</source>
        <translation>Tarvex no encuentra ningún teclado, así que tus atajos no funcionan.</translation>
    </message>
</context>
<context>
    <name>tarvex::ExecArguments</name>
    <message>
        <source>A double quote in the arguments is never closed.</source>
        <translation>Unas comillas dobles de los argumentos no se cierran nunca.</translation>
    </message>
    <message>
        <source>The arguments hold &quot;%1&quot; outside double quotes: put the argument that holds it in double quotes.</source>
        <translation>Los argumentos contienen «%1» fuera de comillas dobles: ponga entre comillas dobles el argumento que lo contiene.</translation>
    </message>
    <message>
        <source>Inside double quotes a backslash only goes before &quot;, `, $ or another backslash.</source>
        <translation>Dentro de comillas dobles, una barra invertida solo va delante de &quot;, `, $ u otra barra invertida.</translation>
    </message>
    <message>
        <source>Inside double quotes %1 is written \%1.</source>
        <translation>Dentro de comillas dobles, %1 se escribe \%1.</translation>
    </message>
    <message>
        <source>%1 is a field code of a desktop entry, which a hotkey does not fill in: leave it out, or write %% for a percent sign.</source>
        <translation>%1 es un código de campo de una entrada de escritorio, que un atajo no rellena: quítelo, o escriba %% para un signo de porcentaje.</translation>
    </message>
    <message>
        <source>The arguments hold a control character, such as a tab or a line break.</source>
        <translation>Los argumentos contienen un carácter de control, como un tabulador o un salto de línea.</translation>
    </message>
</context>
<context>
    <name>tarvex::FormWizard</name>
    <message>
        <source>Hotkey Wizard</source>
        <translation>Asistente de atajos</translation>
    </message>
    <message>
        <source>Website address</source>
        <translation>Dirección del sitio web</translation>
    </message>
    <message>
        <source>Special action</source>
        <translation>Acción especial</translation>
    </message>
    <message>
        <source>What kind of action do you want this hotkey to do?</source>
        <translation>¿Qué tipo de acción quieres que haga este atajo?</translation>
    </message>
    <message>
        <source>Open a file, program or folder</source>
        <translation>Abrir un archivo, programa o carpeta</translation>
    </message>
    <message>
        <source>Open a website (such as wikipedia.org, openstreetmap.org)</source>
        <translation>Abrir un sitio web (como wikipedia.org, openstreetmap.org)</translation>
    </message>
    <message>
        <source>Perform a special action (such as minimizing a window, shutting down your computer, etc)</source>
        <translation>Realizar una acción especial (como minimizar una ventana, apagar el equipo, etc.)</translation>
    </message>
    <message>
        <source>Select the item you want your Hotkey to open</source>
        <translation>Selecciona lo que quieres que abra el atajo</translation>
    </message>
    <message>
        <source>A file (such as programs, music, videos, documents, pictures, etc)</source>
        <translation>Un archivo (como programas, música, vídeos, documentos, imágenes, etc.)</translation>
    </message>
    <message>
        <source>A folder (such as your documents folder, your desktop, etc)</source>
        <translation>Una carpeta (como tu carpeta de documentos, tu escritorio, etc.)</translation>
    </message>
    <message>
        <source>Enter the website address (URL) you want this hotkey to open</source>
        <translation>Escribe la dirección del sitio web (URL) que quieres que abra este atajo</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Listo</translation>
    </message>
    <message>
        <source>What action do you want the hotkey to perform</source>
        <translation>¿Qué acción quieres que realice el atajo?</translation>
    </message>
    <message>
        <source>Choose a file that you want the hotkey to open</source>
        <translation>Elige el archivo que quieres que abra el atajo</translation>
    </message>
    <message>
        <source>Choose File</source>
        <translation>Elegir archivo</translation>
    </message>
    <message>
        <source>Choose a folder that you want the hotkey to open</source>
        <translation>Elige la carpeta que quieres que abra el atajo</translation>
    </message>
    <message>
        <source>Choose Folder</source>
        <translation>Elegir carpeta</translation>
    </message>
    <message>
        <source>Type in a keyboard combination that will activate this hotkey</source>
        <translation>Escribe la combinación de teclas que activará este atajo</translation>
    </message>
    <message>
        <source>e.g. gofb, gogoogle, Control+i, etc</source>
        <translation>p. ej., gofb, gogoogle, Control+i, etc.</translation>
    </message>
    <message>
        <source>A keyboard combination is a set of keys you press to execute the hotkey</source>
        <translation>Una combinación de teclas es el conjunto de teclas que pulsas para ejecutar el atajo</translation>
    </message>
    <message>
        <source>Please select a special action</source>
        <translation>Selecciona una acción especial.</translation>
    </message>
    <message>
        <source>Select a file/program to open</source>
        <translation>Selecciona el archivo o programa que se abrirá</translation>
    </message>
    <message>
        <source>Please Select A Folder</source>
        <translation>Selecciona una carpeta</translation>
    </message>
    <message>
        <source>Please enter a keyboard combination to activate this hotkey.</source>
        <translation>Escribe una combinación de teclas para activar este atajo.</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>This desktop cannot type keys.</source>
        <translation>Aquí no se pueden escribir teclas.</translation>
    </message>
    <message>
        <source>Type a text into the window in front</source>
        <translation>Escribir un texto en la ventana de delante</translation>
    </message>
    <message>
        <source>Enter the text you want this hotkey to type (up to %1 characters)</source>
        <translation>Escriba el texto que quiere que escriba este atajo (hasta %1 caracteres)</translation>
    </message>
    <message>
        <source>Text to type</source>
        <translation>Texto que escribir</translation>
    </message>
    <message>
        <source>%1 of %2 characters</source>
        <translation>%1 de %2 caracteres</translation>
    </message>
    <message>
        <source>Erase the typed keys</source>
        <translation>Borrar las teclas escritas</translation>
    </message>
</context>
<context>
    <name>tarvex::HiddenWindowList</name>
    <message>
        <source>Hidden windows</source>
        <translation>Ventanas ocultas</translation>
    </message>
    <message>
        <source>Double-click a hidden window, or press Enter, to show it again.</source>
        <translation>Haga doble clic en una ventana oculta, o pulse Intro, para volver a mostrarla.</translation>
    </message>
    <message>
        <source>(window without a title)</source>
        <translation>(ventana sin título)</translation>
    </message>
</context>
<context>
    <name>tarvex::HomeFolder</name>
    <message>
        <source>the password database names no home folder for your account (user %1)</source>
        <translation>la base de datos de contraseñas no indica ninguna carpeta personal para su cuenta (usuario %1)</translation>
    </message>
    <message>
        <source>the password database names &quot;%1&quot; for your account, which is not a folder</source>
        <translation>la base de datos de contraseñas indica «%1» para su cuenta, que no es una carpeta</translation>
    </message>
    <message>
        <source>Tarvex cannot start: HOME is not set, and %1. Tarvex keeps your hotkeys and settings in your home folder; set HOME to it and start Tarvex again.</source>
        <translation>Tarvex no puede iniciarse: HOME no está definida, y %1. Tarvex guarda sus teclas de acceso rápido y sus ajustes en su carpeta personal; defina HOME con ella e inicie Tarvex de nuevo.</translation>
    </message>
</context>
<context>
    <name>tarvex::HotkeyDatabase</name>
    <message>
        <source>The hotkey file &quot;%1&quot; could not be read: %2 It was left as it is.</source>
        <translation>No se pudo leer el archivo de atajos «%1»: %2 Se ha dejado como estaba.</translation>
    </message>
    <message>
        <source>The hotkeys could not be saved to &quot;%1&quot;: %2</source>
        <translation>No se pudieron guardar los atajos en «%1»: %2</translation>
    </message>
    <message>
        <source>Hotkey %1 (action &quot;%2&quot;): %3.</source>
        <translation>Atajo %1 (acción «%2»): %3.</translation>
    </message>
    <message>
        <source>... and %1 more.</source>
        <translation>... y %1 más.</translation>
    </message>
    <message>
        <source>These hotkeys will not run:
%1
Give them keys and a proper action, or delete them, in &quot;Configure Hotkeys&quot;.</source>
        <translation>Estos atajos no se ejecutarán:
%1
Asígnales teclas y una acción válida, o elimínalos, en «Configurar atajos».</translation>
    </message>
    <message>
        <source> It was left as it is.</source>
        <translation> Se ha dejado como estaba.</translation>
    </message>
    <message>
        <source>the folder cannot be created.</source>
        <translation>no se puede crear la carpeta.</translation>
    </message>
    <message>
        <source>The hotkey file &quot;%1&quot; is gone.</source>
        <translation>El archivo de teclas de acceso rápido «%1» ya no existe.</translation>
    </message>
</context>
<context>
    <name>tarvex::HotkeyEditorPanel</name>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Edit Hotkey</source>
        <translation>Editar atajo</translation>
    </message>
    <message>
        <source>Type:</source>
        <translation>Tipo:</translation>
    </message>
    <message>
        <source>Action:</source>
        <translation>Acción:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Archivo</translation>
    </message>
    <message>
        <source>Website</source>
        <translation>Sitio web</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>-None-</source>
        <translation>-Ninguna-</translation>
    </message>
    <message>
        <source>Want to browse for a program?</source>
        <translation>¿Quieres buscar un programa?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Click Here When You Are Done With Setting Up Your Hotkeys!</source>
        <translation>¡Haz clic aquí cuando termines de configurar tus atajos!</translation>
    </message>
    <message>
        <source>Save Settings</source>
        <translation>Guardar ajustes</translation>
    </message>
    <message>
        <source>Click Here to Save Your Hotkey List</source>
        <translation>Haz clic aquí para guardar tu lista de atajos</translation>
    </message>
    <message>
        <source>&amp;Delete Hotkey</source>
        <translation>&amp;Eliminar atajo</translation>
    </message>
    <message>
        <source>This Deletes the Selected Hotkey</source>
        <translation>Elimina el atajo seleccionado</translation>
    </message>
    <message>
        <source> &amp;Add New Hotkey</source>
        <translation> Añadir &amp;nuevo atajo</translation>
    </message>
    <message>
        <source>Click to Add a New Hotkey</source>
        <translation>Haz clic para añadir un nuevo atajo</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Hotkey %1 (%2): %3</source>
        <translation>Atajo %1 (%2): %3</translation>
    </message>
    <message>
        <source>Add File or Folder</source>
        <translation>Añadir archivo o carpeta</translation>
    </message>
    <message>
        <source>Do You Want To Add A File Or A Folder?</source>
        <translation>¿Quieres añadir un archivo o una carpeta?</translation>
    </message>
    <message>
        <source>Select a file/program to open</source>
        <translation>Selecciona el archivo o programa que se abrirá</translation>
    </message>
    <message>
        <source>Please Select A Folder</source>
        <translation>Selecciona una carpeta</translation>
    </message>
    <message>
        <source>Save changes to your hotkeys?</source>
        <translation>¿Guardar los cambios en tus atajos?</translation>
    </message>
    <message>
        <source>This hotkey can never run: while %1 is typed, hotkey %2 (%3, action &quot;%4&quot;) runs first.</source>
        <translation>Este atajo nunca se ejecutará: al escribir %1, antes se ejecuta el atajo %2 (%3, acción «%4»).</translation>
    </message>
    <message>
        <source>Hotkeys</source>
        <translation>Atajos</translation>
    </message>
    <message>
        <source>Hotkey</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>Hotkey:</source>
        <translation>Atajo:</translation>
    </message>
    <message>
        <source>Hotkey %1 (action &quot;%2&quot;) has no key combination, so it would run at every key press. Click its Hotkey box and press its keys, or delete it, then save again.</source>
        <translation>El atajo %1 (acción «%2») no tiene combinación de teclas, así que se ejecutaría con cada pulsación. Haz clic en su cuadro Atajo y pulsa sus teclas, o elimínalo, y vuelve a guardar.</translation>
    </message>
    <message>
        <source>Reload</source>
        <translation>Volver a cargar</translation>
    </message>
    <message>
        <source>Overwrite</source>
        <translation>Sobrescribir</translation>
    </message>
    <message>
        <source>The hotkey file was changed outside Tarvex. Reload it (your unsaved edits are lost) or overwrite it?</source>
        <translation>El archivo de teclas de acceso rápido se cambió fuera de Tarvex. ¿Volver a cargarlo (se pierden los cambios sin guardar) o sobrescribirlo?</translation>
    </message>
    <message>
        <source>&amp;Import…</source>
        <translation>&amp;Importar…</translation>
    </message>
    <message>
        <source>Add the hotkeys of a file to this list</source>
        <translation>Añadir a esta lista las teclas de acceso rápido de un archivo</translation>
    </message>
    <message>
        <source>E&amp;xport…</source>
        <translation>E&amp;xportar…</translation>
    </message>
    <message>
        <source>Write these hotkeys to a file for another computer</source>
        <translation>Guardar estas teclas de acceso rápido en un archivo para otro equipo</translation>
    </message>
    <message>
        <source>Filter hotkeys</source>
        <translation>Filtrar teclas de acceso rápido</translation>
    </message>
    <message>
        <source>Hotkey files (*.TarvexDB);;All files (*)</source>
        <translation>Archivos de teclas de acceso rápido (*.TarvexDB);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>(off)</source>
        <translation>(desactivado)</translation>
    </message>
    <message>
        <source>All Hotkeys</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Export Hotkeys</source>
        <translation>Exportar teclas de acceso rápido</translation>
    </message>
    <message>
        <source>Export all %1 hotkeys, or only the selected one?</source>
        <translation>¿Exportar las %1 teclas de acceso rápido o solo la seleccionada?</translation>
    </message>
    <message>
        <source>Selected Hotkey</source>
        <translation>La seleccionada</translation>
    </message>
    <message>
        <source>There are no hotkeys to export.</source>
        <translation>No hay teclas de acceso rápido que exportar.</translation>
    </message>
    <message>
        <source>Import Hotkeys</source>
        <translation>Importar teclas de acceso rápido</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be imported: %2</source>
        <translation>No se puede importar el archivo &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Use Imported</source>
        <translation>Usar el importado</translation>
    </message>
    <message>
        <source>The same keys are already a hotkey.

In the list:
%1

In the file:
%2</source>
        <translation>Esas teclas ya son una tecla de acceso rápido.

En la lista:
%1

En el archivo:
%2</translation>
    </message>
    <message>
        <source>Keep Mine</source>
        <translation>Conservar el mío</translation>
    </message>
    <message>
        <source>Hotkeys added: %1. Replaced: %2. Kept as they were: %3.</source>
        <translation>Añadidas: %1. Sustituidas: %2. Sin cambios: %3.</translation>
    </message>
    <message>
        <source>Left out, as they could never run:</source>
        <translation>Omitidos, porque nunca podrían ejecutarse:</translation>
    </message>
    <message>
        <source>Nothing is written before you click &quot;Save Settings&quot;.</source>
        <translation>No se escribe nada hasta que pulse &quot;Guardar ajustes&quot;.</translation>
    </message>
    <message>
        <source>Erase the typed keys</source>
        <translation>Borrar las teclas escritas</translation>
    </message>
    <message>
        <source>Type text</source>
        <translation>Escribir texto</translation>
    </message>
    <message>
        <source>Text to type</source>
        <translation>Texto que escribir</translation>
    </message>
    <message>
        <source>Typed into the window in front:</source>
        <translation>Se escribe en la ventana activa:</translation>
    </message>
    <message>
        <source>This desktop cannot type keys.</source>
        <translation>Aquí no se pueden escribir teclas.</translation>
    </message>
</context>
<context>
    <name>tarvex::HotkeyEntry</name>
    <message>
        <source>The key combination must not contain &quot;*&quot;, &quot;|&quot; or a line break, because the hotkey file uses them to separate its entries.</source>
        <translation>La combinación de teclas no puede contener «*», «|» ni saltos de línea, porque el archivo de atajos los usa para separar sus entradas.</translation>
    </message>
    <message>
        <source>The target must not contain &quot;*&quot;, &quot;|&quot; or a line break, because the hotkey file uses them to separate its entries.</source>
        <translation>El destino no puede contener «*», «|» ni saltos de línea, porque el archivo de atajos los usa para separar sus entradas.</translation>
    </message>
    <message>
        <source>The target must not contain control characters (such as a tab or a NUL), because no file name or address holds them.</source>
        <translation>El destino no puede contener caracteres de control (como un tabulador o un NUL), porque ningún nombre de archivo ni dirección los contiene.</translation>
    </message>
    <message>
        <source>it has no key combination, so it would run at every key press</source>
        <translation>no tiene combinación de teclas, así que se ejecutaría con cada pulsación</translation>
    </message>
    <message>
        <source>its action holds a control character, which no file name or address holds</source>
        <translation>su acción contiene un carácter de control, que ningún nombre de archivo ni dirección contiene</translation>
    </message>
    <message>
        <source>its key combination holds text that names no key (such as a lone parenthesis or a key name in other letters)</source>
        <translation>su combinación de teclas contiene un texto que no nombra ninguna tecla (como un paréntesis suelto o el nombre de una tecla escrito con otras letras)</translation>
    </message>
</context>
<context>
    <name>tarvex::HotkeyFileIO</name>
    <message>
        <source>it is larger than %1 MB.</source>
        <translation>ocupa más de %1 MB.</translation>
    </message>
    <message>
        <source>it is not a regular file.</source>
        <translation>no es un archivo normal.</translation>
    </message>
</context>
<context>
    <name>tarvex::HotkeyImport</name>
    <message>
        <source>Hotkey %1 of the file: %2.</source>
        <translation>Tecla de acceso rápido %1 del archivo: %2.</translation>
    </message>
</context>
<context>
    <name>tarvex::HotkeyListModel</name>
    <message>
        <source>Hotkey</source>
        <translation>Atajo</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Acción</translation>
    </message>
    <message>
        <source>A hotkey runs only while its box is checked.</source>
        <translation>Un atajo solo se ejecuta mientras su casilla está marcada.</translation>
    </message>
    <message>
        <source>Types &quot;%1&quot;</source>
        <translation>Escribe «%1»</translation>
    </message>
</context>
<context>
    <name>tarvex::HotkeyRoute</name>
    <message>
        <source>Your hotkeys were not allowed in the desktop&apos;s shortcut dialog, so Tarvex watches the keyboard for them instead.</source>
        <translation>Tus atajos no se permitieron en el diálogo de atajos del escritorio, así que Tarvex vigila el teclado para ellos en su lugar.</translation>
    </message>
    <message>
        <source>The desktop could not set up your hotkeys as its shortcuts, so Tarvex watches the keyboard for them instead.</source>
        <translation>El escritorio no pudo registrar tus atajos como atajos propios, así que Tarvex vigila el teclado para ellos en su lugar.</translation>
    </message>
</context>
<context>
    <name>tarvex::KeyCapture</name>
    <message>
        <source>ClickToEdit</source>
        <extracomment>One word of plain letters: the key box shows any other character as a key&apos;s name.</extracomment>
        <translation>ClicParaEditar</translation>
    </message>
</context>
<context>
    <name>tarvex::KeyNames</name>
    <message>
        <source>(Shift)</source>
        <extracomment>A key&apos;s name as the key boxes and the hotkey list show it (hotkeys store it in English): in parentheses, without spaces, unlike every other key&apos;s name.</extracomment>
        <translation>(Mayús)</translation>
    </message>
    <message>
        <source>(Ctrl)</source>
        <translation>(Ctrl)</translation>
    </message>
    <message>
        <source>(Alt)</source>
        <translation>(Alt)</translation>
    </message>
    <message>
        <source>(Win)</source>
        <translation>(Win)</translation>
    </message>
    <message>
        <source>(Space)</source>
        <translation>(Espacio)</translation>
    </message>
    <message>
        <source>(Del)</source>
        <translation>(Supr)</translation>
    </message>
    <message>
        <source>(Backspace)</source>
        <translation>(Retroceso)</translation>
    </message>
    <message>
        <source>(Tab)</source>
        <translation>(Tab)</translation>
    </message>
    <message>
        <source>(Enter)</source>
        <translation>(Intro)</translation>
    </message>
    <message>
        <source>(Esc)</source>
        <translation>(Esc)</translation>
    </message>
    <message>
        <source>(Ins)</source>
        <translation>(Insert)</translation>
    </message>
    <message>
        <source>(Home)</source>
        <translation>(Inicio)</translation>
    </message>
    <message>
        <source>(End)</source>
        <translation>(Fin)</translation>
    </message>
    <message>
        <source>(PgUp)</source>
        <translation>(RePág)</translation>
    </message>
    <message>
        <source>(PgDn)</source>
        <translation>(AvPág)</translation>
    </message>
    <message>
        <source>(Up)</source>
        <translation>(Arriba)</translation>
    </message>
    <message>
        <source>(Down)</source>
        <translation>(Abajo)</translation>
    </message>
    <message>
        <source>(Left)</source>
        <translation>(Izquierda)</translation>
    </message>
    <message>
        <source>(Right)</source>
        <translation>(Derecha)</translation>
    </message>
    <message>
        <source>(NumEnter)</source>
        <translation>(NumIntro)</translation>
    </message>
    <message>
        <source>(Print)</source>
        <translation>(ImprPant)</translation>
    </message>
    <message>
        <source>(Pause)</source>
        <translation>(Pausa)</translation>
    </message>
    <message>
        <source>(Menu)</source>
        <translation>(Menú)</translation>
    </message>
    <message>
        <source>(Mute)</source>
        <translation>(Silencio)</translation>
    </message>
    <message>
        <source>(VolDown)</source>
        <translation>(BajarVol)</translation>
    </message>
    <message>
        <source>(VolUp)</source>
        <translation>(SubirVol)</translation>
    </message>
    <message>
        <source>(Play)</source>
        <translation>(Reproducir)</translation>
    </message>
    <message>
        <source>(Stop)</source>
        <translation>(Detener)</translation>
    </message>
    <message>
        <source>(Prev)</source>
        <translation>(Anterior)</translation>
    </message>
    <message>
        <source>(Next)</source>
        <translation>(Siguiente)</translation>
    </message>
</context>
<context>
    <name>tarvex::KeyboardAccessTexts</name>
    <message>
        <source>Tarvex can see your keys in one of these ways:
• Its key reader, a small system service, passes every key you type to Tarvex while the hotkeys run and your session is the active, unlocked one. You allow it once, with your password.
• The “input” group (an administrator adds you; log in again) lets Tarvex read the keyboards itself, but also lets every program you run read and type on every input device.
• A desktop with a shortcut portal (KDE Plasma 5.27 or later, GNOME 48 or later) runs chords such as (Ctrl)(Alt)k with no access at all, but not sequences of plain keys such as gofb.</source>
        <translation>Tarvex puede ver tus teclas de una de estas formas:
• Su lector de teclas, un pequeño servicio del sistema, pasa a Tarvex cada tecla que pulsas mientras los atajos están en marcha y tu sesión es la activa y está desbloqueada. Lo permites una vez, con tu contraseña.
• El grupo «input» (un administrador te añade; vuelve a iniciar sesión) permite a Tarvex leer los teclados por sí mismo, pero también permite a todos los programas que ejecutas leer y escribir en cada dispositivo de entrada.
• Un escritorio con portal de atajos (KDE Plasma 5.27 o posterior, GNOME 48 o posterior) ejecuta combinaciones como (Ctrl)(Alt)k sin ningún acceso, pero no secuencias de teclas normales como gofb.</translation>
    </message>
</context>
<context>
    <name>tarvex::PortalGlobalShortcuts</name>
    <message>
        <source>This desktop does not offer global shortcuts to programs (the desktop portal&apos;s GlobalShortcuts), so your hotkeys cannot run through it.</source>
        <translation>Este escritorio no ofrece atajos globales a los programas (GlobalShortcuts del portal del escritorio), así que tus atajos no pueden funcionar a través de él.</translation>
    </message>
    <message>
        <source>Your hotkeys were not allowed in the desktop&apos;s shortcut dialog, so they will not run. Choose &quot; Start Tarvex&quot; to be asked again.</source>
        <translation>Tus atajos no se permitieron en el diálogo de atajos del escritorio, así que no funcionarán. Elige &quot; Iniciar Tarvex&quot; para que se te pregunte de nuevo.</translation>
    </message>
    <message>
        <source>The desktop could not set up your hotkeys as its shortcuts (%1), so they will not run.</source>
        <translation>El escritorio no pudo registrar tus atajos como atajos propios (%1), así que no funcionarán.</translation>
    </message>
    <message>
        <source>the portal answered %1</source>
        <translation>el portal respondió %1</translation>
    </message>
</context>
<context>
    <name>tarvex::PortalKeyInjector</name>
    <message>
        <source>Typing keys was not allowed when the desktop asked, so Tarvex cannot type keys.</source>
        <translation>No se permitió escribir teclas cuando el escritorio lo preguntó, así que Tarvex no puede escribir teclas.</translation>
    </message>
    <message>
        <source>The desktop could not let Tarvex type keys (%1).</source>
        <translation>El escritorio no pudo permitir que Tarvex escriba teclas (%1).</translation>
    </message>
    <message>
        <source>Tarvex cannot reach the desktop portal to type keys.</source>
        <translation>Tarvex no puede comunicarse con el portal del escritorio para escribir teclas.</translation>
    </message>
    <message>
        <source>the portal answered %1</source>
        <translation>el portal respondió %1</translation>
    </message>
</context>
<context>
    <name>tarvex::ProgramTrayIcon</name>
    <message>
        <source>Tarvex is now running. The hotkeys you have set will be instantly activated when you press their keyboard combinations.</source>
        <translation>Tarvex ya está en marcha. Los atajos que has configurado se activarán al instante cuando pulses sus combinaciones de teclas.</translation>
    </message>
</context>
<context>
    <name>tarvex::ReaderKeyStateSource</name>
    <message>
        <source>The key reader installed does not match this Tarvex: install Tarvex again.</source>
        <translation>El lector de teclas instalado no corresponde a este Tarvex: vuelve a instalar Tarvex.</translation>
    </message>
    <message>
        <source>Tarvex&apos;s key reader does not answer (it comes with the Tarvex package), so your hotkeys do not work.</source>
        <translation>El lector de teclas de Tarvex no responde (viene con el paquete de Tarvex), así que tus atajos no funcionan.</translation>
    </message>
    <message>
        <source>Your hotkeys wait: the key reader serves only the user of the active, unlocked session at this computer.</source>
        <translation>Tus atajos esperan: el lector de teclas solo sirve al usuario de la sesión activa y desbloqueada de este equipo.</translation>
    </message>
    <message>
        <source>Tarvex cannot see your keys until you allow its key reader, so your hotkeys do not work yet.</source>
        <translation>Tarvex no puede ver tus teclas hasta que permitas su lector de teclas, así que tus atajos aún no funcionan.</translation>
    </message>
    <message>
        <source>The desktop asks whether Tarvex may see your keys: your hotkeys work once you allow it.</source>
        <translation>El escritorio te pregunta si Tarvex puede ver tus teclas: tus atajos funcionarán en cuanto lo permitas.</translation>
    </message>
    <message>
        <source>The key reader was not allowed (or the system could not ask you), so Tarvex cannot see your keys and your hotkeys do not work.</source>
        <translation>No se permitió el lector de teclas (o no se pudo preguntarte): Tarvex no ve tus teclas y tus atajos no funcionan.</translation>
    </message>
</context>
<context>
    <name>tarvex::SettingsStore</name>
    <message>
        <source>The setting %1/%2 could not be saved to &quot;%3&quot;: %4 It was left as it is.</source>
        <translation>No se pudo guardar el ajuste %1/%2 en «%3»: %4 Se ha dejado como estaba.</translation>
    </message>
    <message>
        <source>it would grow larger than 1 MB.</source>
        <translation>superaría 1 MB.</translation>
    </message>
    <message>
        <source>the folder cannot be created.</source>
        <translation>no se puede crear la carpeta.</translation>
    </message>
    <message>
        <source>The setting %1/%2 could not be saved to &quot;%3&quot;: %4</source>
        <translation>No se pudo guardar el ajuste %1/%2 en «%3»: %4</translation>
    </message>
</context>
<context>
    <name>tarvex::SpecialActions</name>
    <message>
        <source>Do you want to log off from current user account?</source>
        <translation>¿Quieres cerrar la sesión de la cuenta de usuario actual?</translation>
    </message>
    <message>
        <source>Do you want to shutdown the computer?</source>
        <translation>¿Quieres apagar el equipo?</translation>
    </message>
    <message>
        <source>Shutdown Computer</source>
        <translation>Apagar el equipo</translation>
    </message>
    <message>
        <source>Do you want to restart the computer?</source>
        <translation>¿Quieres reiniciar el equipo?</translation>
    </message>
    <message>
        <source>Do you want to instantly shut down the computer?</source>
        <translation>¿Quieres apagar el equipo al instante?</translation>
    </message>
    <message>
        <source>Do you want to instantly restart the computer?</source>
        <translation>¿Quieres reiniciar el equipo al instante?</translation>
    </message>
    <message>
        <source>Restart Computer</source>
        <translation>Reiniciar el equipo</translation>
    </message>
    <message>
        <source>Do you want to poweroff the computer?</source>
        <translation>¿Quieres cortar la alimentación del equipo?</translation>
    </message>
    <message>
        <source>Poweroff Computer</source>
        <translation>Cortar la alimentación del equipo</translation>
    </message>
    <message>
        <source>-Hide Window-</source>
        <translation>-Ocultar ventana-</translation>
    </message>
    <message>
        <source>-Close Window-</source>
        <translation>-Cerrar ventana-</translation>
    </message>
    <message>
        <source>-Minimize Window-</source>
        <translation>-Minimizar ventana-</translation>
    </message>
    <message>
        <source>-Maximize Window-</source>
        <translation>-Maximizar ventana-</translation>
    </message>
    <message>
        <source>-Log Off-</source>
        <translation>-Cerrar sesión-</translation>
    </message>
    <message>
        <source>-Shut Down-</source>
        <translation>-Apagar-</translation>
    </message>
    <message>
        <source>-Restart-</source>
        <translation>-Reiniciar-</translation>
    </message>
    <message>
        <source>-Instant Shutdown-</source>
        <translation>-Apagado inmediato-</translation>
    </message>
    <message>
        <source>-Instant Restart-</source>
        <translation>-Reinicio inmediato-</translation>
    </message>
    <message>
        <source>-Instant Poweroff-</source>
        <translation>-Corte de alimentación inmediato-</translation>
    </message>
</context>
<context>
    <name>tarvex::Tarvex</name>
    <message>
        <source>Show Advanced Settings</source>
        <translation>Mostrar ajustes avanzados</translation>
    </message>
    <message>
        <source>Hide Advanced Settings</source>
        <translation>Ocultar ajustes avanzados</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Información</translation>
    </message>
    <message>
        <source>Hotkeys are running</source>
        <translation>Atajos activos</translation>
    </message>
    <message>
        <source>Hotkeys are off</source>
        <translation>Atajos desactivados</translation>
    </message>
    <message>
        <source> Start Tarvex</source>
        <translation> Iniciar Tarvex</translation>
    </message>
    <message>
        <source> Configure Hotkeys</source>
        <translation> Configurar atajos</translation>
    </message>
    <message>
        <source> Customize Appearance</source>
        <translation> Personalizar apariencia</translation>
    </message>
    <message>
        <source>  Exit Tarvex</source>
        <translation>  Salir de Tarvex</translation>
    </message>
    <message>
        <source>Click Me to Edit Your Hotkeys!</source>
        <translation>¡Haz clic aquí para editar tus atajos!</translation>
    </message>
    <message>
        <source>Finishing using Tarvex Already?</source>
        <translation>¿Ya has terminado de usar Tarvex?</translation>
    </message>
    <message>
        <source>Show Advanced Options</source>
        <translation>Mostrar opciones avanzadas</translation>
    </message>
    <message>
        <source>Run Tarvex When I Login</source>
        <translation>Ejecutar Tarvex al iniciar sesión</translation>
    </message>
    <message>
        <source>Disable Notification</source>
        <translation>Desactivar notificación</translation>
    </message>
    <message>
        <source>Pause Hotkeys</source>
        <translation>Pausar atajos</translation>
    </message>
    <message>
        <source>Do you need help with using Tarvex?</source>
        <translation>¿Necesitas ayuda para usar Tarvex?</translation>
    </message>
    <message>
        <source>&amp;Allow the Key Reader...</source>
        <translation>&amp;Permitir el lector de teclas...</translation>
    </message>
</context>
<context>
    <name>tarvex::TarvexShell</name>
    <message>
        <source>Tarvex is running</source>
        <translation>Tarvex está en marcha</translation>
    </message>
    <message>
        <source>Tarvex (paused)</source>
        <translation>Tarvex (en pausa)</translation>
    </message>
    <message>
        <source>Tarvex cannot watch the keyboard on this desktop (an X11 display with the XInput extension is needed), so your hotkeys will not work.</source>
        <translation>Tarvex no puede vigilar el teclado en este escritorio (necesita una pantalla X11 con la extensión XInput), así que tus atajos no funcionarán.</translation>
    </message>
    <message>
        <source>Tarvex is already running, with its hotkeys on. To open Tarvex, click or double-click its icon in the notification area.</source>
        <translation>Tarvex ya se está ejecutando, con sus atajos activos. Para abrir Tarvex, haz clic o doble clic en su icono del área de notificación.</translation>
    </message>
    <message>
        <source>Tarvex is already running, with its hotkeys on. To open Tarvex, double-click the small Tarvex window that stands in for its icon.</source>
        <translation>Tarvex ya se está ejecutando, con sus atajos activos. Para abrir Tarvex, haz doble clic en la pequeña ventana de Tarvex que ocupa el lugar de su icono.</translation>
    </message>
    <message>
        <source>Tarvex is already running.</source>
        <translation>Tarvex ya se está ejecutando.</translation>
    </message>
</context>
<context>
    <name>tarvex::ThemeOptions</name>
    <message>
        <source>Select sound file</source>
        <translation>Seleccionar archivo de sonido</translation>
    </message>
    <message>
        <source>WAV Sound Files (*.wav *.WAV)</source>
        <translation>Archivos de sonido WAV (*.wav *.WAV)</translation>
    </message>
    <message>
        <source>Click to select sound file</source>
        <translation>Haz clic para elegir un archivo de sonido</translation>
    </message>
    <message>
        <source>Customize Tarvex Appearance</source>
        <translation>Personalizar la apariencia de Tarvex</translation>
    </message>
    <message>
        <source>Your appearance choices could not all be saved:

</source>
        <translation>No se pudieron guardar todas tus opciones de apariencia:

</translation>
    </message>
    <message>
        <source>Window Options</source>
        <translation>Opciones de ventana</translation>
    </message>
    <message>
        <source>Select Your Preferred Window Color</source>
        <translation>Elige el color de ventana que prefieras</translation>
    </message>
    <message>
        <source>Select Your Window Style</source>
        <translation>Elige el estilo de ventana</translation>
    </message>
    <message>
        <source>Button Options</source>
        <translation>Opciones de botones</translation>
    </message>
    <message>
        <source>Tarvex Options</source>
        <translation>Opciones de Tarvex</translation>
    </message>
    <message>
        <source>Play sound effect when hotkey is activated</source>
        <translation>Reproducir un sonido al activarse un atajo</translation>
    </message>
    <message>
        <source>Show notification when hotkey is activated</source>
        <translation>Mostrar una notificación al activarse un atajo</translation>
    </message>
    <message>
        <source>Preview customized appearance on this window</source>
        <translation>Vista previa de la apariencia en esta ventana</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Aplicar</translation>
    </message>
</context>
<context>
    <name>tarvex::TrayFallbackWindow</name>
    <message>
        <source>Tarvex notification</source>
        <translation>Notificación de Tarvex</translation>
    </message>
</context>
<context>
    <name>tarvex::UnavailableDesktopWindows</name>
    <message>
        <source>This desktop does not let programs act on other programs&apos; windows, so the hotkeys that hide, close, minimize or maximize a window do nothing here. Opening files, programs, folders and web addresses, sounds and the log-off and shutdown actions work as usual.</source>
        <translation>Este escritorio no permite que los programas actúen sobre las ventanas de otros programas, así que aquí no hacen nada los atajos que ocultan, cierran, minimizan o maximizan una ventana. Abrir archivos, programas, carpetas y direcciones web, los sonidos y las acciones de cerrar sesión y apagar funcionan como siempre.</translation>
    </message>
</context>
<context>
    <name>tarvex::UnavailableKeyInjector</name>
    <message>
        <source>This desktop does not let Tarvex type keys.</source>
        <translation>Este escritorio no permite que Tarvex escriba teclas.</translation>
    </message>
</context>
<context>
    <name>tarvex::WebAddress</name>
    <message>
        <source>The website address &quot;%1&quot; has no valid host name. Enter the whole address, such as http://example.org.</source>
        <translation>La dirección web «%1» no tiene un nombre de host válido. Escribe la dirección completa, como http://example.org.</translation>
    </message>
</context>
<context>
    <name>tarvex::WlrKeyInjector</name>
    <message>
        <source>Tarvex cannot reach the Wayland compositor to type keys.</source>
        <translation>Tarvex no puede comunicarse con el compositor de Wayland para escribir teclas.</translation>
    </message>
    <message>
        <source>The compositor offers no virtual keyboard, so Tarvex cannot type keys.</source>
        <translation>El compositor no ofrece un teclado virtual, así que Tarvex no puede escribir teclas.</translation>
    </message>
</context>
<context>
    <name>tarvex::XTestKeyInjector</name>
    <message>
        <source>Tarvex cannot reach the X display to type keys.</source>
        <translation>Tarvex no puede comunicarse con la pantalla X para escribir teclas.</translation>
    </message>
    <message>
        <source>The X server offers no XTest extension, so Tarvex cannot type keys.</source>
        <translation>El servidor X no ofrece la extensión XTest, así que Tarvex no puede escribir teclas.</translation>
    </message>
</context>
<context>
    <name>tarvex::XdgLoginEntry</name>
    <message>
        <source>Error %1 %2
%3</source>
        <translation>Error %1 %2
%3</translation>
    </message>
    <message>
        <source>opening key</source>
        <translation>al abrir la clave</translation>
    </message>
    <message>
        <source>Cannot create the folder %1</source>
        <translation>No se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>setting key</source>
        <translation>al escribir la clave</translation>
    </message>
    <message>
        <source>deleting key</source>
        <translation>al eliminar la clave</translation>
    </message>
</context>
<context>
    <name>tarvex::hkCORE</name>
    <message>
        <source>Configure Hotkeys</source>
        <translation>Configurar atajos</translation>
    </message>
</context>
<context>
    <name>tarvex::hkPopupMenu</name>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Ajustes</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Pause Hotkeys</source>
        <translation>Pausar atajos</translation>
    </message>
</context>
</TS>
