#!/usr/bin/env python3
"""Writes resources/transl.sv, the interface translation file, from the table below.

The file holds the number of languages on its first line, then one group of
lines per entry: entry k of every language, in language order. Entry 0 is the
language's own name, entry 1 its code, the rest the program's English texts
(the lookup keys) and their translations. Lines end with CR LF; UTF-8 without
byte-order mark.

Run without arguments to rewrite the file, with --check to verify that the
file is up to date. Both first check the table: no empty or multi-line
entries, no repeated English text, and every translation keeps the "%s"
placeholders, the {tokens} and the leading and trailing spaces of its key.
"""

import collections
import pathlib
import re
import sys

LANGUAGES = ("English", "Deutsch", "Français", "Español")
CODES = ("en", "de", "fr", "es")

# (English, German, French, Spanish). English texts are the program's own,
# character for character, trailing spaces included.
TEXTS = [
    # Main window menus.
    ("File", "Datei", "Fichier", "Archivo"),
    ("New Project", "Neues Projekt", "Nouveau projet", "Nuevo proyecto"),
    ("Open Project...", "Projekt öffnen...", "Ouvrir un projet...", "Abrir proyecto..."),
    ("Save Project", "Projekt speichern", "Enregistrer le projet", "Guardar proyecto"),
    ("Save Project As...", "Projekt speichern unter...", "Enregistrer le projet sous...",
     "Guardar proyecto como..."),
    ("Exit", "Beenden", "Quitter", "Salir"),
    ("Import", "Importieren", "Importer", "Importar"),
    ("Markdown Folder...", "Markdown-Ordner...", "Dossier Markdown...", "Carpeta Markdown..."),
    ("Import Markdown Folder", "Markdown-Ordner importieren", "Importer un dossier Markdown",
     "Importar carpeta Markdown"),
    ("Imported %s topics.", "%s Themen importiert.", "%s rubriques importées.", "%s temas importados."),
    ("Folder not found: %s", "Ordner nicht gefunden: %s", "Dossier introuvable : %s",
     "Carpeta no encontrada: %s"),
    ("The folder holds no Markdown files: %s", "Der Ordner enthält keine Markdown-Dateien: %s",
     "Le dossier ne contient aucun fichier Markdown : %s",
     "La carpeta no contiene archivos Markdown: %s"),
    ("The docs folder of \"%s\" is no folder inside it: %s",
     "Der Dokumentordner von \"%s\" ist kein Ordner darin: %s",
     "Le dossier des pages de \"%s\" n'est pas un dossier qu'il contient : %s",
     "La carpeta de páginas de \"%s\" no es una carpeta dentro de ella: %s"),
    ("Cannot read \"%s\": %s", "\"%s\" kann nicht gelesen werden: %s", "Impossible de lire \"%s\" : %s",
     "No se puede leer \"%s\": %s"),
    ("Cannot read folder \"%s\": %s", "Ordner \"%s\" kann nicht gelesen werden: %s",
     "Impossible de lire le dossier \"%s\" : %s", "No se puede leer la carpeta \"%s\": %s"),
    ("Topic", "Thema", "Rubrique", "Tema"),
    ("New Root Topic...", "Neues Hauptthema...", "Nouvelle rubrique racine...", "Nuevo tema raíz..."),
    ("New Child Topic...", "Neues Unterthema...", "Nouvelle sous-rubrique...", "Nuevo subtema..."),
    ("Remove Topic", "Thema entfernen", "Supprimer la rubrique", "Eliminar tema"),
    ("Move", "Verschieben", "Déplacer", "Mover"),
    ("Up", "Nach oben", "Vers le haut", "Arriba"),
    ("Down", "Nach unten", "Vers le bas", "Abajo"),
    ("Move Level Up", "Eine Ebene höher", "Remonter d'un niveau", "Subir un nivel"),
    ("Rename...", "Umbenennen...", "Renommer...", "Cambiar nombre..."),
    ("Edit", "Bearbeiten", "Édition", "Edición"),
    ("Undo", "Rückgängig", "Annuler", "Deshacer"),
    ("Redo", "Wiederholen", "Rétablir", "Rehacer"),
    ("Cut", "Ausschneiden", "Couper", "Cortar"),
    ("Copy", "Kopieren", "Copier", "Copiar"),
    ("Paste", "Einfügen", "Coller", "Pegar"),
    ("Delete", "Löschen", "Supprimer", "Eliminar"),
    ("Select All", "Alles auswählen", "Tout sélectionner", "Seleccionar todo"),
    ("Publish", "Veröffentlichen", "Publier", "Publicar"),
    ("WebHelp", "WebHelp", "WebHelp", "WebHelp"),
    ("CHM", "CHM", "CHM", "CHM"),
    ("PDF", "PDF", "PDF", "PDF"),
    ("Publish All", "Alles veröffentlichen", "Tout publier", "Publicar todo"),
    ("Open Output Folder", "Ausgabeordner öffnen", "Ouvrir le dossier de sortie",
     "Abrir carpeta de salida"),
    ("Tools", "Extras", "Outils", "Herramientas"),
    ("Project Settings...", "Projekteinstellungen...", "Paramètres du projet...",
     "Configuración del proyecto..."),
    ("Variables, Snippets, Conditions...", "Variablen, Textbausteine, Bedingungen...",
     "Variables, extraits, conditions...", "Variables, fragmentos, condiciones..."),
    ("Language", "Sprache", "Langue", "Idioma"),
    ("Help", "Hilfe", "Aide", "Ayuda"),
    ("Contact Us", "Kontakt", "Nous contacter", "Contacto"),
    ("Visit Website", "Website besuchen", "Visiter le site web", "Visitar el sitio web"),
    ("About...", "Info...", "À propos...", "Acerca de..."),
    ("User Manual", "Benutzerhandbuch", "Manuel d'utilisation", "Manual del usuario"),

    # Main window button hints.
    ("Add Child Topic...", "Unterthema hinzufügen...", "Ajouter une sous-rubrique...",
     "Añadir subtema..."),
    ("Add Root Topic...", "Hauptthema hinzufügen...", "Ajouter une rubrique racine...",
     "Añadir tema raíz..."),
    ("Bold", "Fett", "Gras", "Negrita"),
    ("Italic", "Kursiv", "Italique", "Cursiva"),
    ("Underline", "Unterstrichen", "Souligné", "Subrayado"),
    ("Bullet List", "Aufzählung", "Liste à puces", "Lista con viñetas"),
    ("Numeric List", "Nummerierte Liste", "Liste numérotée", "Lista numerada"),
    ("Left Align", "Linksbündig", "Aligner à gauche", "Alinear a la izquierda"),
    ("Center Align", "Zentriert", "Centrer", "Centrar"),
    ("Right Align", "Rechtsbündig", "Aligner à droite", "Alinear a la derecha"),
    ("Create Link...", "Link erstellen...", "Créer un lien...", "Crear vínculo..."),
    ("Create Topic Link...", "Themenlink erstellen...", "Créer un lien vers une rubrique...",
     "Crear vínculo a un tema..."),
    ("Add Image...", "Bild hinzufügen...", "Ajouter une image...", "Añadir imagen..."),
    ("Replace Image...", "Bild ersetzen...", "Remplacer l'image...", "Reemplazar imagen..."),
    ("Add Table...", "Tabelle hinzufügen...", "Ajouter un tableau...", "Añadir tabla..."),
    ("Add HTML...", "HTML hinzufügen...", "Ajouter du HTML...", "Añadir HTML..."),
    ("Line Spacing", "Zeilenabstand", "Interligne", "Interlineado"),
    ("Font Color", "Schriftfarbe", "Couleur de police", "Color de fuente"),
    ("Text Heading", "Überschrift", "Titre", "Encabezado"),
    ("Font Name", "Schriftart", "Police", "Fuente"),
    ("Font Size", "Schriftgröße", "Taille de police", "Tamaño de fuente"),

    # Topic model.
    ("Topic not found: %s", "Thema nicht gefunden: %s", "Rubrique introuvable : %s",
     "Tema no encontrado: %s"),
    ("Cannot move a topic into itself/its descendant.",
     "Ein Thema kann nicht in sich selbst oder eines seiner Unterthemen verschoben werden.",
     "Impossible de déplacer une rubrique dans elle-même ou dans l'une de ses sous-rubriques.",
     "No se puede mover un tema dentro de sí mismo o de uno de sus descendientes."),

    # Project storage: problems in hand-edited project files.
    ("Invalid topics file %s: %s", "Ungültige Themendatei %s: %s",
     "Fichier de rubriques non valide %s : %s", "Archivo de temas no válido %s: %s"),
    ("\"%s\" is not an array.", "\"%s\" ist kein Array.", "« %s » n'est pas un tableau.",
     "\"%s\" no es una matriz."),
    ("an entry of \"topics\" is not an object.", "ein Eintrag von \"topics\" ist kein Objekt.",
     "une entrée de « topics » n'est pas un objet.", "una entrada de \"topics\" no es un objeto."),
    ("the file does not hold a JSON object.", "die Datei enthält kein JSON-Objekt.",
     "le fichier ne contient pas d'objet JSON.", "el archivo no contiene un objeto JSON."),
    ("the topic identifier %s is not allowed: an identifier must not be \".\" or \"..\" nor "
     "hold \"/\", \"\\\" or control characters.",
     "die Themenkennung %s ist nicht zulässig: Eine Kennung darf nicht \".\" oder \"..\" sein "
     "und weder \"/\", \"\\\" noch Steuerzeichen enthalten.",
     "l'identifiant de rubrique %s n'est pas autorisé : un identifiant ne peut être ni « . » ni "
     "« .. » et ne peut contenir ni « / », ni « \\ », ni caractères de contrôle.",
     "el identificador de tema %s no está permitido: un identificador no puede ser \".\" ni "
     "\"..\" ni contener \"/\", \"\\\" o caracteres de control."),
    ("the topic identifier %s occurs twice.", "die Themenkennung %s kommt zweimal vor.",
     "l'identifiant de rubrique %s apparaît deux fois.",
     "el identificador de tema %s aparece dos veces."),
    ("Cannot keep the unreadable file %s aside; nothing was written.",
     "Die unlesbare Datei %s kann nicht beiseitegelegt werden; es wurde nichts geschrieben.",
     "Impossible de mettre de côté le fichier illisible %s ; rien n'a été écrit.",
     "No se puede apartar el archivo ilegible %s; no se ha escrito nada."),
    ("A project already exists at %s.", "Unter %s gibt es bereits ein Projekt.",
     "Un projet existe déjà à l'emplacement %s.", "Ya existe un proyecto en %s."),

    # Damaged files, links leading out of the project, runaway expansions.
    ("Arrays and objects are nested more than %s levels deep.",
     "Arrays und Objekte sind tiefer als %s Ebenen verschachtelt.",
     "Les tableaux et les objets sont imbriqués sur plus de %s niveaux.",
     "Las matrices y los objetos están anidados en más de %s niveles."),
    ("the file is damaged: it holds no valid JSON text.",
     "die Datei ist beschädigt: Sie enthält keinen gültigen JSON-Text.",
     "le fichier est endommagé : il ne contient pas de texte JSON valide.",
     "el archivo está dañado: no contiene texto JSON válido."),
    ("The folder %s leads to %s, outside the project folder. Quillmark writes only inside the "
     "project folder: put a real folder in the place of the link.",
     "Der Ordner %s führt nach %s, außerhalb des Projektordners. Quillmark schreibt nur "
     "innerhalb des Projektordners: Ersetzen Sie die Verknüpfung durch einen echten Ordner.",
     "Le dossier %s mène à %s, hors du dossier du projet. Quillmark n'écrit que dans le "
     "dossier du projet : remplacez le lien par un vrai dossier.",
     "La carpeta %s lleva a %s, fuera de la carpeta del proyecto. Quillmark solo escribe "
     "dentro de la carpeta del proyecto: sustituya el enlace por una carpeta real."),
    ("The expanded text grows past %s MB at the snippet \"%s\".",
     "Der erweiterte Text überschreitet %s MB beim Textbaustein \"%s\".",
     "Le texte développé dépasse %s Mo à l'extrait « %s ».",
     "El texto expandido supera los %s MB en el fragmento \"%s\"."),
    ("The expanded text grows past %s MB at the variable \"%s\".",
     "Der erweiterte Text überschreitet %s MB bei der Variablen \"%s\".",
     "Le texte développé dépasse %s Mo à la variable « %s ».",
     "El texto expandido supera los %s MB en la variable \"%s\"."),
    ("The topic \"%s\" (%s) cannot be published: %s",
     "Das Thema \"%s\" (%s) kann nicht veröffentlicht werden: %s",
     "La rubrique « %s » (%s) ne peut pas être publiée : %s",
     "El tema \"%s\" (%s) no se puede publicar: %s"),
    ("there is not enough memory.", "es ist nicht genügend Arbeitsspeicher vorhanden.",
     "la mémoire est insuffisante.", "no hay memoria suficiente."),
    ("The page refers to files outside its folder:",
     "Die Seite verweist auf Dateien außerhalb ihres Ordners:",
     "La page fait référence à des fichiers situés hors de son dossier :",
     "La página hace referencia a archivos fuera de su carpeta:"),
    ("Copy them into the project as well? Otherwise their references stay as they are.",
     "Sollen sie ebenfalls in das Projekt kopiert werden? Andernfalls bleiben ihre Verweise "
     "unverändert.",
     "Les copier aussi dans le projet ? Sinon, leurs références restent telles quelles.",
     "¿Copiarlos también en el proyecto? De lo contrario, sus referencias quedan como están."),
    ("These files are not copied: they are no regular files or belong to the system. Their "
     "references stay as they are:",
     "Diese Dateien werden nicht kopiert: Es sind keine gewöhnlichen Dateien, oder sie gehören "
     "zum System. Ihre Verweise bleiben unverändert:",
     "Ces fichiers ne sont pas copiés : ce ne sont pas des fichiers ordinaires ou ils "
     "appartiennent au système. Leurs références restent telles quelles :",
     "Estos archivos no se copian: no son archivos normales o pertenecen al sistema. Sus "
     "referencias quedan como están:"),

    # Start-up, Help menu.
    ("Welcome", "Willkommen", "Bienvenue", "Bienvenido"),
    ("Windows could not open the Quillmark user manual.",
     "Windows konnte das Quillmark-Benutzerhandbuch nicht öffnen.",
     "Windows n'a pas pu ouvrir le manuel d'utilisation de Quillmark.",
     "Windows no pudo abrir el manual del usuario de Quillmark."),
    ("ShellExecute error code: ", "ShellExecute-Fehlercode: ", "Code d'erreur ShellExecute : ",
     "Código de error de ShellExecute: "),
    ("The Quillmark user manual could not be found:",
     "Das Quillmark-Benutzerhandbuch wurde nicht gefunden:",
     "Le manuel d'utilisation de Quillmark est introuvable :",
     "No se encontró el manual del usuario de Quillmark:"),
    ("Version: ", "Version: ", "Version : ", "Versión: "),
    ("Website: ", "Website: ", "Site web : ", "Sitio web: "),
    ("The Quillmark user manual could not be opened:",
     "Das Quillmark-Benutzerhandbuch konnte nicht geöffnet werden:",
     "Impossible d'ouvrir le manuel d'utilisation de Quillmark :",
     "No se pudo abrir el manual del usuario de Quillmark:"),

    # Project commands.
    ("Saved", "Gespeichert", "Enregistré", "Guardado"),
    ("Saved As", "Gespeichert unter", "Enregistré sous", "Guardado como"),
    ("New project created (not saved)", "Neues Projekt erstellt (nicht gespeichert)",
     "Nouveau projet créé (non enregistré)", "Nuevo proyecto creado (sin guardar)"),
    ("Project has been modified. Do you want to save changes?",
     "Das Projekt wurde geändert. Möchten Sie die Änderungen speichern?",
     "Le projet a été modifié. Voulez-vous enregistrer les modifications ?",
     "El proyecto se ha modificado. ¿Desea guardar los cambios?"),
    ("Invalid project filename: ", "Ungültiger Projektdateiname: ",
     "Nom de fichier de projet non valide : ", "Nombre de archivo de proyecto no válido: "),
    ("The file %s could not be read, so the project opened without its content. "
     "The unreadable file was kept as %s.",
     "Die Datei %s konnte nicht gelesen werden, daher wurde das Projekt ohne ihren Inhalt "
     "geöffnet. Die unlesbare Datei wurde als %s aufbewahrt.",
     "Le fichier %s n'a pas pu être lu ; le projet a donc été ouvert sans son contenu. "
     "Le fichier illisible a été conservé sous %s.",
     "No se pudo leer el archivo %s, por lo que el proyecto se abrió sin su contenido. "
     "El archivo ilegible se conservó como %s."),
    ("The file %s could not be read, so the project opened without its content. The next save "
     "keeps the unreadable file beside it as a copy ending in \".unreadable\".",
     "Die Datei %s konnte nicht gelesen werden, daher wurde das Projekt ohne ihren Inhalt "
     "geöffnet. Beim nächsten Speichern wird die unlesbare Datei daneben als Kopie mit der "
     "Endung \".unreadable\" aufbewahrt.",
     "Le fichier %s n'a pas pu être lu ; le projet a donc été ouvert sans son contenu. Le "
     "prochain enregistrement conservera le fichier illisible à côté, sous une copie se "
     "terminant par « .unreadable ».",
     "No se pudo leer el archivo %s, por lo que el proyecto se abrió sin su contenido. Al "
     "guardar la próxima vez, el archivo ilegible se conservará a su lado como una copia "
     "terminada en \".unreadable\"."),
    ("The project settings could not be read (%s). The default settings are used until you "
     "change them.",
     "Die Projekteinstellungen konnten nicht gelesen werden (%s). Bis Sie sie ändern, werden "
     "die Standardeinstellungen verwendet.",
     "Les paramètres du projet n'ont pas pu être lus (%s). Les paramètres par défaut sont "
     "utilisés jusqu'à ce que vous les modifiiez.",
     "No se pudo leer la configuración del proyecto (%s). Se usa la configuración "
     "predeterminada hasta que la cambie."),

    # Contents tree commands.
    ("New Topic", "Neues Thema", "Nouvelle rubrique", "Nuevo tema"),
    ("Title:", "Titel:", "Titre :", "Título:"),
    ("Delete this topic and its subtopics?", "Dieses Thema und seine Unterthemen löschen?",
     "Supprimer cette rubrique et ses sous-rubriques ?", "¿Eliminar este tema y sus subtemas?"),
    ("Rename Topic", "Thema umbenennen", "Renommer la rubrique", "Cambiar nombre del tema"),

    # Recent projects, start screen, preview, undoable deletes, autosave.
    ("Recent Projects", "Zuletzt geöffnete Projekte", "Projets récents", "Proyectos recientes"),
    ("(missing)", "(fehlt)", "(introuvable)", "(no encontrado)"),
    ("(none)", "(keine)", "(aucun)", "(ninguno)"),
    ("Remove Missing Projects", "Fehlende Projekte entfernen", "Retirer les projets introuvables",
     "Quitar los proyectos no encontrados"),
    ("The project file no longer exists:", "Die Projektdatei existiert nicht mehr:",
     "Le fichier de projet n'existe plus :", "El archivo de proyecto ya no existe:"),
    ("Remove it from the recent projects?", "Aus den zuletzt geöffneten Projekten entfernen?",
     "Le retirer des projets récents ?", "¿Quitarlo de los proyectos recientes?"),
    ("The sample project could not be found:", "Das Beispielprojekt wurde nicht gefunden:",
     "Le projet d'exemple est introuvable :", "No se encontró el proyecto de ejemplo:"),
    ("Welcome to Quillmark", "Willkommen bei Quillmark", "Bienvenue dans Quillmark",
     "Bienvenido a Quillmark"),
    ("Open the Sample Project", "Beispielprojekt öffnen", "Ouvrir le projet d'exemple",
     "Abrir el proyecto de ejemplo"),
    ("Continue with an Empty Project", "Mit einem leeren Projekt fortfahren",
     "Continuer avec un projet vide", "Continuar con un proyecto vacío"),
    ("Preview", "Vorschau", "Aperçu", "Vista previa"),
    ("Undo Delete", "Löschen rückgängig", "Annuler la suppression", "Deshacer eliminación"),
    ("The topic cannot be restored: %s exists already.",
     "Das Thema kann nicht wiederhergestellt werden: %s existiert bereits.",
     "La rubrique ne peut pas être restaurée : %s existe déjà.",
     "No se puede restaurar el tema: %s ya existe."),
    ("Cannot move the file %s: %s", "Die Datei %s kann nicht verschoben werden: %s",
     "Impossible de déplacer le fichier %s : %s", "No se puede mover el archivo %s: %s"),
    ("Autosave failed: ", "Automatisches Speichern fehlgeschlagen: ",
     "Échec de l'enregistrement automatique : ", "Error al guardar automáticamente: "),
    ("Quillmark was closed without saving changes to these topics:",
     "Quillmark wurde beendet, ohne die Änderungen an diesen Themen zu speichern:",
     "Quillmark a été fermé sans enregistrer les modifications de ces rubriques :",
     "Quillmark se cerró sin guardar los cambios de estos temas:"),
    ("Restore the unsaved changes? They stay unsaved until you save the project.",
     "Die ungespeicherten Änderungen wiederherstellen? Sie bleiben ungespeichert, bis Sie das "
     "Projekt speichern.",
     "Restaurer les modifications non enregistrées ? Elles le restent jusqu'à ce que vous "
     "enregistriez le projet.",
     "¿Restaurar los cambios sin guardar? Seguirán sin guardar hasta que guarde el proyecto."),
    ("Unsaved changes restored", "Ungespeicherte Änderungen wiederhergestellt",
     "Modifications non enregistrées restaurées", "Cambios sin guardar restaurados"),

    # Topic properties panel.
    ("Properties saved", "Eigenschaften gespeichert", "Propriétés enregistrées",
     "Propiedades guardadas"),
    ("Properties...", "Eigenschaften...", "Propriétés...", "Propiedades..."),

    # Update check.
    ("This version of the software is out of date. You must download the current version %s "
     "to continue using the software.",
     "Diese Version der Software ist veraltet. Sie müssen die aktuelle Version %s herunterladen, "
     "um die Software weiter verwenden zu können.",
     "Cette version du logiciel est obsolète. Vous devez télécharger la version actuelle %s "
     "pour continuer à utiliser le logiciel.",
     "Esta versión del software está obsoleta. Debe descargar la versión actual %s "
     "para seguir usando el software."),
    ("The new version %s is available", "Die neue Version %s ist verfügbar",
     "La nouvelle version %s est disponible", "La nueva versión %s está disponible"),
    ("What's new:", "Neuerungen:", "Nouveautés :", "Novedades:"),
    ("Update Now", "Jetzt aktualisieren", "Mettre à jour", "Actualizar ahora"),
    ("Skip", "Überspringen", "Ignorer", "Omitir"),
    ("Abort", "Abbrechen", "Interrompre", "Interrumpir"),
    ("Cannot find downloaded file.", "Die heruntergeladene Datei wurde nicht gefunden.",
     "Le fichier téléchargé est introuvable.", "No se encuentra el archivo descargado."),
    ("The downloaded installer could not be started.",
     "Das heruntergeladene Installationsprogramm konnte nicht gestartet werden.",
     "Le programme d'installation téléchargé n'a pas pu être lancé.",
     "No se pudo iniciar el instalador descargado."),
    ("Failed to download update. Please download manually on website.",
     "Das Update konnte nicht heruntergeladen werden. Bitte laden Sie es manuell von der "
     "Website herunter.",
     "Échec du téléchargement de la mise à jour. Veuillez la télécharger manuellement sur le "
     "site web.",
     "No se pudo descargar la actualización. Descárguela manualmente desde el sitio web."),
    ("Download is cancelled. Please download manually.",
     "Der Download wurde abgebrochen. Bitte laden Sie die Datei manuell herunter.",
     "Le téléchargement a été annulé. Veuillez télécharger le fichier manuellement.",
     "Se ha cancelado la descarga. Descargue el archivo manualmente."),

    # Editor content and formatting toolbar.
    ("Loaded: ", "Geladen: ", "Chargé : ", "Cargado: "),
    ("Standard text", "Standardtext", "Texte standard", "Texto estándar"),

    # Insert commands and the topic picker.
    ("Insert Link", "Link einfügen", "Insérer un lien", "Insertar vínculo"),
    ("URL:", "URL:", "URL :", "URL:"),
    ("Select Topic", "Thema auswählen", "Sélectionner une rubrique", "Seleccionar tema"),
    ("OK", "OK", "OK", "Aceptar"),
    ("Yes", "Ja", "Oui", "Sí"),
    ("No", "Nein", "Non", "No"),
    ("Cancel", "Abbrechen", "Annuler", "Cancelar"),
    ("Insert Table", "Tabelle einfügen", "Insérer un tableau", "Insertar tabla"),
    ("Rows,Cols", "Zeilen,Spalten", "Lignes,Colonnes", "Filas,Columnas"),
    ("Insert Row", "Zeile einfügen", "Insérer une ligne", "Insertar fila"),
    ("Remove Row", "Zeile entfernen", "Supprimer la ligne", "Eliminar fila"),
    ("Insert Column", "Spalte einfügen", "Insérer une colonne", "Insertar columna"),
    ("Remove Column", "Spalte entfernen", "Supprimer la colonne", "Eliminar columna"),

    # HTML import.
    ("Please open or create a project and select a topic first.",
     "Bitte öffnen oder erstellen Sie zuerst ein Projekt und wählen Sie ein Thema aus.",
     "Veuillez d'abord ouvrir ou créer un projet et sélectionner une rubrique.",
     "Primero abra o cree un proyecto y seleccione un tema."),
    ("The editor is not ready yet.", "Der Editor ist noch nicht bereit.",
     "L'éditeur n'est pas encore prêt.", "El editor aún no está listo."),
    ("The selected HTML file does not contain importable body content.",
     "Die ausgewählte HTML-Datei enthält keinen importierbaren Inhalt.",
     "Le fichier HTML sélectionné ne contient aucun contenu importable.",
     "El archivo HTML seleccionado no contiene contenido importable."),
    ("Inserted HTML: ", "HTML eingefügt: ", "HTML inséré : ", "HTML insertado: "),
    ("The address \"%s\" holds a malformed percent escape.",
     "Die Adresse \"%s\" enthält eine ungültige Prozent-Kodierung.",
     "L'adresse \"%s\" contient un encodage pourcent mal formé.",
     "La dirección \"%s\" contiene un código de porcentaje mal formado."),
    ("The address \"%s\" names a path with characters that are not allowed in file names.",
     "Die Adresse \"%s\" nennt einen Pfad mit Zeichen, die in Dateinamen nicht erlaubt sind.",
     "L'adresse \"%s\" désigne un chemin contenant des caractères interdits dans les noms "
     "de fichier.",
     "La dirección \"%s\" indica una ruta con caracteres no permitidos en nombres de archivo."),
    ("HTML file not found: %s", "HTML-Datei nicht gefunden: %s", "Fichier HTML introuvable : %s",
     "Archivo HTML no encontrado: %s"),

    # Reusable content dialog.
    ("Variables, snippets and conditions", "Variablen, Textbausteine und Bedingungen",
     "Variables, extraits et conditions", "Variables, fragmentos y condiciones"),
    ("Variables", "Variablen", "Variables", "Variables"),
    ("Snippets", "Textbausteine", "Extraits", "Fragmentos"),
    ("Conditions", "Bedingungen", "Conditions", "Condiciones"),
    ("Name", "Name", "Nom", "Nombre"),
    ("Value", "Wert", "Valeur", "Valor"),
    ("Enabled", "Aktiviert", "Activée", "Activada"),
    ("Insert variable", "Variable einfügen", "Insérer la variable", "Insertar variable"),
    ("Insert snippet", "Textbaustein einfügen", "Insérer l'extrait", "Insertar fragmento"),
    ("Insert begin condition", "Bedingungsbeginn einfügen", "Insérer le début de condition",
     "Insertar inicio de condición"),
    ("Insert end condition", "Bedingungsende einfügen", "Insérer la fin de condition",
     "Insertar fin de condición"),
    ("Save", "Speichern", "Enregistrer", "Guardar"),
    ("Select or enter a variable name first.",
     "Wählen Sie zuerst einen Variablennamen aus oder geben Sie einen ein.",
     "Sélectionnez ou saisissez d'abord un nom de variable.",
     "Primero seleccione o escriba un nombre de variable."),
    ("Select or enter a snippet name first.",
     "Wählen Sie zuerst einen Textbausteinnamen aus oder geben Sie einen ein.",
     "Sélectionnez ou saisissez d'abord un nom d'extrait.",
     "Primero seleccione o escriba un nombre de fragmento."),
    ("Select or enter a condition name first.",
     "Wählen Sie zuerst einen Bedingungsnamen aus oder geben Sie einen ein.",
     "Sélectionnez ou saisissez d'abord un nom de condition.",
     "Primero seleccione o escriba un nombre de condición."),

    # Reusable content dialog, help text of the Variables tab.
    ("Variables let you define text once and reuse it in many topics. ",
     "Mit Variablen definieren Sie einen Text einmal und verwenden ihn in vielen Themen wieder. ",
     "Les variables permettent de définir un texte une seule fois et de le réutiliser dans "
     "de nombreuses rubriques. ",
     "Las variables permiten definir un texto una sola vez y reutilizarlo en muchos temas. "),
    ("Use exactly this token form in text: {var:VariableName}. ",
     "Verwenden Sie im Text genau diese Platzhalterform: {var:VariableName}. ",
     "Utilisez exactement cette forme de jeton dans le texte : {var:VariableName}. ",
     "Use exactamente esta forma de token en el texto: {var:VariableName}. "),
    ("Example row: Name = ProductName, Value = Dedu Vader. ",
     "Beispielzeile: Name = ProductName, Wert = Dedu Vader. ",
     "Exemple de ligne : Nom = ProductName, Valeur = Dedu Vader. ",
     "Fila de ejemplo: Nombre = ProductName, Valor = Dedu Vader. "),
    ("On export, every {var:ProductName} token is replaced with Dedu Vader. ",
     "Beim Export wird jeder Platzhalter {var:ProductName} durch Dedu Vader ersetzt. ",
     "À l'export, chaque jeton {var:ProductName} est remplacé par Dedu Vader. ",
     "Al exportar, cada token {var:ProductName} se sustituye por Dedu Vader. "),
    ("After changing the value here, export again and all variable tokens use the new value.",
     "Wenn Sie den Wert hier ändern und erneut exportieren, verwenden alle Variablenplatzhalter "
     "den neuen Wert.",
     "Après avoir modifié la valeur ici, exportez à nouveau : tous les jetons de variable "
     "utiliseront la nouvelle valeur.",
     "Después de cambiar el valor aquí, vuelva a exportar y todos los tokens de variable "
     "usarán el nuevo valor."),

    # Help text of the Snippets tab. The example address of the third line
    # is the one the dialog shows.
    ("Snippets let you store reusable HTML once and reuse it in many topics. ",
     "Mit Textbausteinen speichern Sie wiederverwendbares HTML einmal und verwenden es in "
     "vielen Themen wieder. ",
     "Les extraits permettent d'enregistrer une seule fois du HTML réutilisable et de le "
     "réutiliser dans de nombreuses rubriques. ",
     "Los fragmentos permiten guardar HTML reutilizable una sola vez y reutilizarlo en "
     "muchos temas. "),
    ("Use exactly this token form in text: {snip:SnippetName}. ",
     "Verwenden Sie im Text genau diese Platzhalterform: {snip:SnippetName}. ",
     "Utilisez exactement cette forme de jeton dans le texte : {snip:SnippetName}. ",
     "Use exactamente esta forma de token en el texto: {snip:SnippetName}. "),
    ("Example row: Name = SupportNote, HTML = <p>Contact <b>support@example.com</b> for help.</p>. ",
     "Beispielzeile: Name = SupportNote, HTML = <p>Hilfe erhalten Sie unter "
     "<b>support@example.com</b>.</p>. ",
     "Exemple de ligne : Nom = SupportNote, HTML = <p>Pour obtenir de l'aide, écrivez à "
     "<b>support@example.com</b>.</p>. ",
     "Fila de ejemplo: Nombre = SupportNote, HTML = <p>Para obtener ayuda, escriba a "
     "<b>support@example.com</b>.</p>. "),
    ("On export, every {snip:SupportNote} token is replaced with that HTML. ",
     "Beim Export wird jeder Platzhalter {snip:SupportNote} durch dieses HTML ersetzt. ",
     "À l'export, chaque jeton {snip:SupportNote} est remplacé par ce HTML. ",
     "Al exportar, cada token {snip:SupportNote} se sustituye por ese HTML. "),
    ("Snippet HTML may also contain {var:ProductName}, {snip:OtherSnippet}, or "
     "{begincond:ProEdition}...{endcond}.",
     "Das HTML eines Textbausteins darf auch {var:ProductName}, {snip:OtherSnippet} oder "
     "{begincond:ProEdition}...{endcond} enthalten.",
     "Le HTML d'un extrait peut aussi contenir {var:ProductName}, {snip:OtherSnippet} ou "
     "{begincond:ProEdition}...{endcond}.",
     "El HTML de un fragmento también puede contener {var:ProductName}, {snip:OtherSnippet} o "
     "{begincond:ProEdition}...{endcond}."),

    # Help text of the Conditions tab. The truth words stay English: they are
    # what the Enabled column accepts.
    ("Conditions are ON/OFF switches for normal editor text. ",
     "Bedingungen sind EIN/AUS-Schalter für normalen Editortext. ",
     "Les conditions sont des interrupteurs ON/OFF pour le texte normal de l'éditeur. ",
     "Las condiciones son interruptores ON/OFF para el texto normal del editor. "),
    ("Put {begincond:ConditionName} before the content and {endcond} after it. ",
     "Setzen Sie {begincond:ConditionName} vor den Inhalt und {endcond} dahinter. ",
     "Placez {begincond:ConditionName} avant le contenu et {endcond} après. ",
     "Ponga {begincond:ConditionName} antes del contenido y {endcond} después. "),
    ("Example row: Name = ProEdition, Enabled = false.",
     "Beispielzeile: Name = ProEdition, Aktiviert = false.",
     "Exemple de ligne : Nom = ProEdition, Activée = false.",
     "Fila de ejemplo: Nombre = ProEdition, Activada = false."),
    ("And we write in editor: {begincond:ProEdition}This paragraph appears only in Pro builds. "
     "{endcond}",
     "Und im Editor schreiben wir: {begincond:ProEdition}Dieser Absatz erscheint nur in "
     "Pro-Versionen. {endcond}",
     "Et dans l'éditeur, on écrit : {begincond:ProEdition}Ce paragraphe n'apparaît que dans "
     "les versions Pro. {endcond}",
     "Y en el editor escribimos: {begincond:ProEdition}Este párrafo solo aparece en las "
     "versiones Pro. {endcond}"),
    ("If value in second column (Enabled) is true, yes, 1, or on, the content between the "
     "tokens is exported. ",
     "Ist der Wert in der zweiten Spalte (Aktiviert) true, yes, 1 oder on, wird der Inhalt "
     "zwischen den Platzhaltern exportiert. ",
     "Si la valeur de la deuxième colonne (Activée) est true, yes, 1 ou on, le contenu entre "
     "les jetons est exporté. ",
     "Si el valor de la segunda columna (Activada) es true, yes, 1 u on, se exporta el "
     "contenido entre los tokens. "),
    ("If value in second column (Enabled) is false, no, 0, off, or empty, that content is "
     "removed.",
     "Ist der Wert in der zweiten Spalte (Aktiviert) false, no, 0, off oder leer, wird dieser "
     "Inhalt entfernt.",
     "Si la valeur de la deuxième colonne (Activée) est false, no, 0, off ou vide, ce contenu "
     "est supprimé.",
     "Si el valor de la segunda columna (Activada) es false, no, 0, off o está vacío, ese "
     "contenido se elimina."),

    # Project settings dialog.
    ("Project Settings", "Projekteinstellungen", "Paramètres du projet",
     "Configuración del proyecto"),
    ("Project Title", "Projekttitel", "Titre du projet", "Título del proyecto"),
    ("Default Font", "Standardschrift", "Police par défaut", "Fuente predeterminada"),
    ("Font title:", "Schriftart:", "Police :", "Fuente:"),
    ("Font size:", "Schriftgröße:", "Taille de police :", "Tamaño de fuente:"),
    ("Font Color:", "Schriftfarbe:", "Couleur de police :", "Color de fuente:"),
    ("Default line interval (e.g. 1.5):", "Standard-Zeilenabstand (z. B. 1.5):",
     "Interligne par défaut (p. ex. 1.5) :", "Interlineado predeterminado (p. ej., 1.5):"),
    ("Background Colors (WebHelp, CHM)", "Hintergrundfarben (WebHelp, CHM)",
     "Couleurs d'arrière-plan (WebHelp, CHM)", "Colores de fondo (WebHelp, CHM)"),
    ("Page background color:", "Hintergrundfarbe der Seite:",
     "Couleur d'arrière-plan de la page :", "Color de fondo de la página:"),
    ("Header background color:", "Hintergrundfarbe der Kopfzeile:",
     "Couleur d'arrière-plan de l'en-tête :", "Color de fondo del encabezado:"),
    ("Content tree appearance", "Darstellung des Inhaltsbaums",
     "Apparence de l'arborescence du contenu", "Apariencia del árbol de contenido"),
    ("Tree text color:", "Textfarbe des Baums:", "Couleur du texte de l'arborescence :",
     "Color del texto del árbol:"),
    ("Tree text size:", "Textgröße des Baums:", "Taille du texte de l'arborescence :",
     "Tamaño del texto del árbol:"),
    ("WebHelp footer", "WebHelp-Fußzeile", "Pied de page WebHelp", "Pie de página de WebHelp"),
    ("Enable copyright footer", "Copyright-Fußzeile aktivieren",
     "Activer le pied de page de copyright", "Activar pie de página de copyright"),
    ("Footer text:", "Fußzeilentext:", "Texte du pied de page :", "Texto del pie de página:"),
    ("Content language (e.g. en, de-CH):", "Sprache des Inhalts (z. B. de, de-CH):",
     "Langue du contenu (p. ex. fr, fr-CA) :", "Idioma del contenido (p. ej. es, es-MX):"),
    ("Link style", "Linkstil", "Style des liens", "Estilo de los vínculos"),
    ("Link color:", "Linkfarbe:", "Couleur des liens :", "Color de los vínculos:"),
    ("Link style:", "Linkstil:", "Style des liens :", "Estilo de los vínculos:"),
    ("Table style", "Tabellenstil", "Style des tableaux", "Estilo de las tablas"),
    ("Border style:", "Rahmenstil:", "Style de bordure :", "Estilo del borde:"),
    ("Border width (px):", "Rahmenbreite (px):", "Largeur de bordure (px) :",
     "Ancho del borde (px):"),
    ("Border color:", "Rahmenfarbe:", "Couleur de bordure :", "Color del borde:"),
    ("PDF manual", "PDF-Handbuch", "Manuel PDF", "Manual PDF"),
    ("Paper size:", "Papierformat:", "Format du papier :", "Tamaño del papel:"),
    ("Top margin (mm):", "Rand oben (mm):", "Marge haute (mm) :", "Margen superior (mm):"),
    ("Bottom margin (mm):", "Rand unten (mm):", "Marge basse (mm) :", "Margen inferior (mm):"),
    ("Inner margin (mm):", "Innenrand (mm):", "Marge intérieure (mm) :", "Margen interior (mm):"),
    ("Outer margin (mm):", "Außenrand (mm):", "Marge extérieure (mm) :", "Margen exterior (mm):"),
    ("Cover subtitle:", "Untertitel auf dem Titelblatt:", "Sous-titre de la couverture :",
     "Subtítulo de la portada:"),
    ("Cover version line:", "Versionszeile auf dem Titelblatt:", "Ligne de version de la couverture :",
     "Línea de versión de la portada:"),
    ("Cover picture (in the project):", "Titelbild (im Projekt):",
     "Image de couverture (dans le projet) :", "Imagen de portada (en el proyecto):"),
    ("Custom...", "Benutzerdefiniert...", "Personnalisée...", "Personalizado..."),
    ("Color", "Farbe", "Couleur", "Color"),
    ("Some values are invalid. Please fix them.",
     "Einige Werte sind ungültig. Bitte korrigieren Sie sie.",
     "Certaines valeurs ne sont pas valides. Veuillez les corriger.",
     "Algunos valores no son válidos. Corríjalos."),

    # Publishing and the link check.
    ("Manual HTML exported: ", "Handbuch-HTML exportiert: ", "HTML du manuel exporté : ",
     "HTML del manual exportado: "),
    ("No link issues found.", "Keine Linkprobleme gefunden.", "Aucun problème de lien détecté.",
     "No se encontraron problemas de vínculos."),
    ("Check Links", "Links prüfen", "Vérifier les liens", "Comprobar vínculos"),
    ("The output format \"%s\" is not available.",
     "Das Ausgabeformat \"%s\" ist nicht verfügbar.",
     "Le format de sortie « %s » n'est pas disponible.",
     "El formato de salida \"%s\" no está disponible."),
    # Find in the topic, find and replace across the project, spelling.
    ("Find...", "Suchen...", "Rechercher...", "Buscar..."),
    ("Find and Replace...", "Suchen und Ersetzen...", "Rechercher et remplacer...", "Buscar y reemplazar..."),
    ("Find:", "Suchen:", "Rechercher :", "Buscar:"),
    ("Find in topic", "Im Thema suchen", "Rechercher dans la rubrique", "Buscar en el tema"),
    ("Previous match (Shift+Enter)", "Vorheriger Treffer (Umschalt+Eingabe)",
     "Occurrence précédente (Maj+Entrée)", "Coincidencia anterior (Mayús+Intro)"),
    ("Next match (Enter)", "Nächster Treffer (Eingabe)", "Occurrence suivante (Entrée)",
     "Coincidencia siguiente (Intro)"),
    ("Match case", "Groß-/Kleinschreibung", "Respecter la casse", "Coincidir mayúsculas"),
    ("Whole word", "Ganzes Wort", "Mot entier", "Palabra completa"),
    ("Close (Esc)", "Schließen (Esc)", "Fermer (Échap)", "Cerrar (Esc)"),
    ("No matches", "Keine Treffer", "Aucune occurrence", "Sin coincidencias"),
    ("%s of %s", "%s von %s", "%s sur %s", "%s de %s"),
    ("Find and Replace", "Suchen und Ersetzen", "Rechercher et remplacer", "Buscar y reemplazar"),
    ("Replace with:", "Ersetzen durch:", "Remplacer par :", "Reemplazar por:"),
    ("$1 names a group of a regular expression", "$1 steht für eine Gruppe des regulären Ausdrucks",
     "$1 désigne un groupe de l'expression régulière", "$1 indica un grupo de la expresión regular"),
    ("Regular expression", "Regulärer Ausdruck", "Expression régulière", "Expresión regular"),
    ("Search titles too", "Auch Titel durchsuchen", "Chercher aussi dans les titres",
     "Buscar también en los títulos"),
    ("Find All", "Alle suchen", "Tout rechercher", "Buscar todo"),
    ("Replace", "Ersetzen", "Remplacer", "Reemplazar"),
    ("Replace in Topic", "Im Thema ersetzen", "Remplacer dans la rubrique", "Reemplazar en el tema"),
    ("Replace All", "Alle ersetzen", "Tout remplacer", "Reemplazar todo"),
    ("Undo Replace", "Ersetzen rückgängig", "Annuler le remplacement", "Deshacer reemplazo"),
    ("Title", "Titel", "Titre", "Título"),
    ("Header", "Kopfzeile", "En-tête", "Encabezado"),
    ("Page", "Seite", "Page", "Página"),
    ("No matches.", "Keine Treffer.", "Aucune occurrence.", "Sin coincidencias."),
    ("%s matches in %s topics.", "%s Treffer in %s Themen.", "%s occurrences dans %s rubriques.",
     "%s coincidencias en %s temas."),
    ("Replaced %s matches in %s topics.", "%s Treffer in %s Themen ersetzt.",
     "%s occurrences remplacées dans %s rubriques.", "%s coincidencias reemplazadas en %s temas."),
    ("Search first.", "Bitte zuerst suchen.", "Lancez d'abord une recherche.", "Busque primero."),
    ("Nothing to undo.", "Nichts rückgängig zu machen.", "Rien à annuler.", "Nada que deshacer."),
    ("Replacement undone.", "Ersetzen rückgängig gemacht.", "Remplacement annulé.",
     "Reemplazo deshecho."),
    ("%s changed texts were left as they are.", "%s inzwischen geänderte Texte blieben unverändert.",
     "%s textes modifiés depuis sont restés tels quels.",
     "%s textos cambiados desde entonces se dejaron como están."),
    ("Spell checking: ", "Rechtschreibprüfung: ", "Orthographe : ", "Ortografía: "),
    ("Added to the project's dictionary: ", "Zum Projektwörterbuch hinzugefügt: ",
     "Ajouté au dictionnaire du projet : ", "Añadido al diccionario del proyecto: "),
    ("No suggestions", "Keine Vorschläge", "Aucune suggestion", "Sin sugerencias"),
    ("Add to Dictionary", "Zum Wörterbuch hinzufügen", "Ajouter au dictionnaire",
     "Añadir al diccionario"),
    # Help IDs for context-sensitive help.
    ("The help ID %s is given twice.", "Die Hilfe-ID %s ist zweimal angegeben.", "L'ID d'aide %s est indiqué deux fois.", "El ID de ayuda %s aparece dos veces."),
    ("The help ID %s is already used by the topic \"%s\".", "Die Hilfe-ID %s wird bereits vom Thema \"%s\" verwendet.", "L'ID d'aide %s est déjà utilisé par la rubrique « %s ».", "El ID de ayuda %s ya lo usa el tema \"%s\"."),
    ("The help ID number %s is given twice.", "Die Hilfe-ID-Nummer %s ist zweimal angegeben.", "Le numéro d'ID d'aide %s est indiqué deux fois.", "El número de ID de ayuda %s aparece dos veces."),
    ("The help ID number %s of %s is already used by %s of the topic \"%s\".", "Die Hilfe-ID-Nummer %s von %s wird bereits von %s des Themas \"%s\" verwendet.", "Le numéro d'ID d'aide %s de %s est déjà utilisé par %s de la rubrique « %s ».", "El número de ID de ayuda %s de %s ya lo usa %s del tema \"%s\"."),
    ("No help ID number is free above %s.", "Über %s ist keine Hilfe-ID-Nummer mehr frei.", "Aucun numéro d'ID d'aide n'est libre au-dessus de %s.", "No queda ningún número de ID de ayuda libre por encima de %s."),
    ("an entry of \"helpIds\" is not an object.", "ein Eintrag von \"helpIds\" ist kein Objekt.", "une entrée de « helpIds » n'est pas un objet.", "una entrada de \"helpIds\" no es un objeto."),
    ("the help ID %s has the number %s; a help ID number is a whole number from 1 to %s.", "die Hilfe-ID %s hat die Nummer %s; eine Hilfe-ID-Nummer ist eine ganze Zahl von 1 bis %s.", "l'ID d'aide %s a le numéro %s ; un numéro d'ID d'aide est un nombre entier de 1 à %s.", "el ID de ayuda %s tiene el número %s; un número de ID de ayuda es un número entero de 1 a %s."),
    ("Help IDs, line %s: \"%s\" is not a help ID name. A name is made of the letters A to Z and a to z, digits and underscores and does not start with a digit, such as IDH_PAIRING.", "Hilfe-IDs, Zeile %s: \"%s\" ist kein Name einer Hilfe-ID. Ein Name besteht aus den Buchstaben A bis Z und a bis z, Ziffern und Unterstrichen und beginnt nicht mit einer Ziffer, etwa IDH_PAIRING.", "ID d'aide, ligne %s : « %s » n'est pas un nom d'ID d'aide. Un nom se compose des lettres A à Z et a à z, de chiffres et de traits de soulignement, et ne commence pas par un chiffre, par exemple IDH_PAIRING.", "ID de ayuda, línea %s: \"%s\" no es un nombre de ID de ayuda. Un nombre consta de las letras A a Z y a a z, dígitos y guiones bajos, y no empieza por un dígito, por ejemplo IDH_PAIRING."),
    ("Help IDs, line %s: the number of %s must be a whole number from 1 to %s.", "Hilfe-IDs, Zeile %s: die Nummer von %s muss eine ganze Zahl von 1 bis %s sein.", "ID d'aide, ligne %s : le numéro de %s doit être un nombre entier de 1 à %s.", "ID de ayuda, línea %s: el número de %s debe ser un número entero de 1 a %s."),
    ("Help ID numbers assigned; Apply saves them.", "Hilfe-ID-Nummern vergeben; Übernehmen speichert sie.", "Numéros d'ID d'aide attribués ; Appliquer les enregistre.", "Números de ID de ayuda asignados; Aplicar los guarda."),
    ("Save Help ID Map", "Hilfe-ID-Zuordnung speichern", "Enregistrer la table des ID d'aide", "Guardar el mapa de ID de ayuda"),
    ("A help ID map is saved as a C/C++ header (.h), JSON (.json) or CSV (.csv) file; \"%s\" is none of these.", "Eine Hilfe-ID-Zuordnung wird als C/C++-Header (.h), JSON- (.json) oder CSV-Datei (.csv) gespeichert; \"%s\" ist nichts davon.", "Une table des ID d'aide s'enregistre comme en-tête C/C++ (.h), fichier JSON (.json) ou CSV (.csv) ; « %s » n'est rien de cela.", "Un mapa de ID de ayuda se guarda como encabezado C/C++ (.h), archivo JSON (.json) o CSV (.csv); \"%s\" no es ninguno de ellos."),
    ("Help ID map saved: ", "Hilfe-ID-Zuordnung gespeichert: ", "Table des ID d'aide enregistrée : ", "Mapa de ID de ayuda guardado: "),
    # The window's first-hour fixes: publishing, deleting, fonts.
    ('A topic needs a title.', 'Ein Thema braucht einen Titel.', 'Une rubrique doit avoir un titre.', 'Un tema necesita un título.'),
    ('Add HTML Page', 'HTML-Seite hinzufügen', 'Ajouter une page HTML', 'Añadir página HTML'),
    ('Insert Picture', 'Bild einfügen', 'Insérer une image', 'Insertar imagen'),
    ('Replace Picture', 'Bild ersetzen', "Remplacer l'image", 'Reemplazar imagen'),
    ('cancelled', 'abgebrochen', 'annulé', 'cancelado'),
    ('failed', 'fehlgeschlagen', 'échec', 'falló'),
    ('exported: ', 'exportiert: ', 'exporté : ', 'exportado: '),
    ('Publishing', 'Veröffentlichen', 'Publication', 'Publicación'),
    ('Delete the topic "%s" with its subtopics (%s)?', 'Das Thema „%s“ mit seinen Unterthemen (%s) löschen?', 'Supprimer la rubrique « %s » et ses sous-rubriques (%s) ?', '¿Eliminar el tema «%s» con sus subtemas (%s)?'),
    ('Delete the topic "%s"?', 'Das Thema „%s“ löschen?', 'Supprimer la rubrique « %s » ?', '¿Eliminar el tema «%s»?'),
    ('Links to it from these topics will lead nowhere:', 'Links aus diesen Themen darauf führen dann ins Leere:', 'Les liens de ces rubriques vers elle ne mèneront plus nulle part :', 'Los vínculos de estos temas hacia él no llevarán a ninguna parte:'),
    ('Starting', 'Start', 'Démarrage', 'Inicio'),
    ('The folder could not be opened:', 'Der Ordner konnte nicht geöffnet werden:', "Le dossier n'a pas pu être ouvert :", 'No se pudo abrir la carpeta:'),
    ('The file could not be opened:', 'Die Datei konnte nicht geöffnet werden:', "Le fichier n'a pas pu être ouvert :", 'No se pudo abrir el archivo:'),
    ('%s (not installed, shown as %s)', '%s (nicht installiert, angezeigt als %s)', '%s (non installée, affichée en %s)', '%s (no instalada, se muestra como %s)'),
    ('Cancelling after the current step...', 'Abbruch nach dem laufenden Schritt...', "Annulation après l'étape en cours...", 'Cancelando tras el paso actual...'),
    ('Open', 'Öffnen', 'Ouvrir', 'Abrir'),
    ('Open Folder', 'Ordner öffnen', 'Ouvrir le dossier', 'Abrir carpeta'),
    ('Copy Path', 'Pfad kopieren', 'Copier le chemin', 'Copiar ruta'),
    ('Close', 'Schließen', 'Fermer', 'Cerrar'),
]

# Texts shown on one control in turn must stay distinguishable in every
# language: the update dialog's second button tells a running download by
# its caption.
DISTINCT_GROUPS = [("Exit", "Skip", "Abort")]

TARGET = pathlib.Path(__file__).resolve().parent.parent / "resources" / "transl.sv"


def problems():
    found = []
    english_seen = collections.Counter(row[0] for row in TEXTS)
    for text, count in english_seen.items():
        if count > 1:
            found.append(f"repeated English text: {text!r}")
    for row in [LANGUAGES, CODES] + TEXTS:
        if len(row) != len(LANGUAGES):
            found.append(f"wrong number of languages: {row!r}")
            continue
        key = row[0]
        for text in row:
            if not text or "\r" in text or "\n" in text:
                found.append(f"empty or multi-line entry in {row!r}")
            if text.count("%") != key.count("%") or text.count("%s") != key.count("%s"):
                found.append(f"placeholders differ: {key!r} / {text!r}")
            if sorted(re.findall(r"\{[^}]*\}", text)) != sorted(re.findall(r"\{[^}]*\}", key)):
                found.append(f"tokens differ: {key!r} / {text!r}")
            if text.startswith(" ") != key.startswith(" ") or text.endswith(" ") != key.endswith(" "):
                found.append(f"edge spaces differ: {key!r} / {text!r}")
    rows = {row[0]: row for row in TEXTS}
    for group in DISTINCT_GROUPS:
        for i in range(len(LANGUAGES)):
            shown = [rows[key][i] for key in group]
            if len(set(shown)) != len(shown):
                found.append(f"{LANGUAGES[i]}: {group} are not distinct: {shown}")
    return found


def render():
    lines = [str(len(LANGUAGES))]
    for row in [LANGUAGES, CODES] + TEXTS:
        lines.extend(row)
    return "".join(line + "\r\n" for line in lines).encode("utf-8")


def main():
    errors = problems()
    if errors:
        print("\n".join(errors), file=sys.stderr)
        return 1
    content = render()
    if "--check" in sys.argv[1:]:
        if not TARGET.exists() or TARGET.read_bytes() != content:
            print(f"{TARGET} is out of date; run {pathlib.Path(__file__).name}", file=sys.stderr)
            return 1
        return 0
    TARGET.parent.mkdir(parents=True, exist_ok=True)
    TARGET.write_bytes(content)
    print(f"wrote {TARGET}: {len(LANGUAGES)} languages, {len(TEXTS) + 2} entries each")
    return 0


if __name__ == "__main__":
    sys.exit(main())
