<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>Kinoval</name>
    <message>
        <source> m</source>
        <translation> m</translation>
    </message>
    <message>
        <source> pixels</source>
        <translation> pixels</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source> °</source>
        <translation> °</translation>
    </message>
    <message>
        <source>#Nombre!</source>
        <translation>#Number!</translation>
    </message>
    <message>
        <source>%d &lt;= nombre &lt;= %d</source>
        <translation>%d &lt;= number &lt;= %d</translation>
    </message>
    <message>
        <source>%d &lt;= numéro &lt;= %d</source>
        <translation>%d &lt;= number &lt;= %d</translation>
    </message>
    <message>
        <source>%d courbes</source>
        <translation>%d curves</translation>
    </message>
    <message>
        <source>%d vecteurs en %s</source>
        <translation>%d vectors in %s</translation>
    </message>
    <message>
        <source>%s : %s en fonction de %s (%s), %d points ; %s ; %s</source>
        <translation>%s: %s against %s (%s), %d points; %s; %s</translation>
    </message>
    <message>
        <source>%s autres lignes ignorées</source>
        <translation>%s more lines ignored</translation>
    </message>
    <message>
        <source>%s autres marques aux coordonnées illisibles ont été écartées.</source>
        <translation>%s more marks with unreadable coordinates were discarded.</translation>
    </message>
    <message>
        <source>%s dans le référentiel de %s</source>
        <translation>%s in the frame of reference of %s</translation>
    </message>
    <message>
        <source>%s de %s à %s %s</source>
        <translation>%s from %s to %s %s</translation>
    </message>
    <message>
        <source>%s image(s) pointée(s) sans numéro d&apos;image lisible.</source>
        <translation>%s marked frame(s) without a readable frame number.</translation>
    </message>
    <message>
        <source>%s images par seconde</source>
        <translation>%s frames per second</translation>
    </message>
    <message>
        <source>%s marque(s) d&apos;objets qui ne sont pas suivis (numéro d&apos;objet hors de 1 à %s) ont été écartées.</source>
        <translation>%s mark(s) of objects that are not tracked (object number outside 1 to %s) were discarded.</translation>
    </message>
    <message>
        <source>%s marque(s) en double d&apos;un même objet sur une même image ont été écartées.</source>
        <translation>%s duplicate mark(s) of the same object on the same frame were discarded.</translation>
    </message>
    <message>
        <source>%s marque(s) sur des images que la vidéo n&apos;a pas (n° %s à %s, la vidéo en a %s) : elles restent dans le travail mais sont écartées des résultats.</source>
        <translation>%s mark(s) on frames the video does not have (no. %s to %s, the video has %s): they stay in the study but are left out of the results.</translation>
    </message>
    <message>
        <source>%s pixels</source>
        <translation>%s pixels</translation>
    </message>
    <message>
        <source>%s à %s</source>
        <translation>%s to %s</translation>
    </message>
    <message>
        <source>&amp;Affichage</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>&amp;Aide de Kinoval</source>
        <translation>Kinoval &amp;help</translation>
    </message>
    <message>
        <source>&amp;Angle de rotation du repère...</source>
        <translation>&amp;Rotation angle of the axes...</translation>
    </message>
    <message>
        <source>&amp;Cacher l&apos;image</source>
        <translation>&amp;Hide the picture</translation>
    </message>
    <message>
        <source>&amp;Calculatrice</source>
        <translation>&amp;Calculator</translation>
    </message>
    <message>
        <source>&amp;Calculs</source>
        <translation>&amp;Calculations</translation>
    </message>
    <message>
        <source>&amp;Créer une vidéo à partir de fichiers images...</source>
        <translation>&amp;Create a video from picture files...</translation>
    </message>
    <message>
        <source>&amp;Décomposer une vidéo en fichiers images...</source>
        <translation>&amp;Split a video into picture files...</translation>
    </message>
    <message>
        <source>&amp;Edition</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Effacer</source>
        <translation>&amp;Erase</translation>
    </message>
    <message>
        <source>&amp;Enregistrer l&apos;étude</source>
        <translation>&amp;Save the study</translation>
    </message>
    <message>
        <source>&amp;Fichier</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Formules</source>
        <translation>&amp;Formulas</translation>
    </message>
    <message>
        <source>&amp;Longueur de l&apos;échelle...</source>
        <translation>&amp;Length of the scale...</translation>
    </message>
    <message>
        <source>&amp;Loupe</source>
        <translation>&amp;Magnifier</translation>
    </message>
    <message>
        <source>&amp;Marques dessinées</source>
        <translation>&amp;Marks drawn</translation>
    </message>
    <message>
        <source>&amp;Mesures</source>
        <translation>&amp;Measurements</translation>
    </message>
    <message>
        <source>&amp;Numéros des marques</source>
        <translation>Mark &amp;numbers</translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation>&amp;Ok</translation>
    </message>
    <message>
        <source>&amp;Ouvrir une vidéo ou une étude...</source>
        <translation>&amp;Open a video or a study...</translation>
    </message>
    <message>
        <source>&amp;Propriétés de la vidéo...</source>
        <translation>Video &amp;properties...</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Résultats</source>
        <translation>&amp;Results</translation>
    </message>
    <message>
        <source>&amp;Tableau des mesures</source>
        <translation>&amp;Table of measurements</translation>
    </message>
    <message>
        <source>&amp;Taille des éléments</source>
        <translation>&amp;Size of the elements</translation>
    </message>
    <message>
        <source>&amp;Temps entre deux images...</source>
        <translation>&amp;Time between two frames...</translation>
    </message>
    <message>
        <source>&amp;Vecteurs vitesse et accélération</source>
        <translation>&amp;Velocity and acceleration vectors</translation>
    </message>
    <message>
        <source>+ - * / : opérations (« / » s&apos;écrit aussi « ÷ »)
^ : puissance (2^3 = 8 ; x^0,5 = racine carrée de x)
( ) : parenthèses
[ ] : indice de ligne (v[i-1]) ou d&apos;une valeur initiale (v[1])
; : sépare les deux arguments d&apos;ArcTan
E : puissance de dix d&apos;un nombre (1,5E-3 = 0,0015)
La virgule et le point sont acceptés comme séparateur décimal.
Un nom commence par une lettre et continue par des lettres, des chiffres, « _ », « ² » ou « ³ ».</source>
        <translation>+ - * / : operations (&quot;/&quot; may also be written &quot;÷&quot;)
^ : power (2^3 = 8; x^0.5 = square root of x)
( ) : brackets
[ ] : row index (v[i-1]) or of an initial value (v[1])
; : separates the two arguments of ArcTan
E : power of ten of a number (1.5E-3 = 0.0015)
Both the comma and the point are accepted as decimal separator.
A name begins with a letter and goes on with letters, digits, &quot;_&quot;, &quot;²&quot; or &quot;³&quot;.</translation>
    </message>
    <message>
        <source>- sur une image d&apos;arrière plan</source>
        <translation>- on a background picture</translation>
    </message>
    <message>
        <source>- sur une page blanche</source>
        <translation>- on a blank page</translation>
    </message>
    <message>
        <source>-180° &lt;= angle &lt;= +180° dans le sens trigonométrique</source>
        <translation>-180° &lt;= angle &lt;= +180° counterclockwise</translation>
    </message>
    <message>
        <source>1 courbe</source>
        <translation>1 curve</translation>
    </message>
    <message>
        <source>1 mm &lt; longueur du segment &lt; 15 Tm</source>
        <translation>1 mm &lt; length of the segment &lt; 15 Tm</translation>
    </message>
    <message>
        <source>1 µs &lt; intervalle de temps &lt; 1 Gs</source>
        <translation>1 µs &lt; time interval &lt; 1 Gs</translation>
    </message>
    <message>
        <source>A &amp;propos de Kinoval...</source>
        <translation>&amp;About Kinoval...</translation>
    </message>
    <message>
        <source>A droite</source>
        <translation>On the right</translation>
    </message>
    <message>
        <source>A droite de la marque</source>
        <translation>To the right of the mark</translation>
    </message>
    <message>
        <source>A gauche et à droite</source>
        <translation>Left and right</translation>
    </message>
    <message>
        <source>A l&apos;aide de la souris, glisser-déposer le transparent puis pointer la position de l&apos;objet.</source>
        <translation>With the mouse, drag and drop the transparent sheet, then point at the position of the object.</translation>
    </message>
    <message>
        <source>A propos de %s</source>
        <translation>About %s</translation>
    </message>
    <message>
        <source>A&amp;ide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Abscisse</source>
        <translation>Abscissa</translation>
    </message>
    <message>
        <source>Accélération</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <source>Action</source>
        <translation>Action</translation>
    </message>
    <message>
        <source>Affichage</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Afficher l&apos;image de la vidéo sous le graphe</source>
        <translation>Show the video picture under the graph</translation>
    </message>
    <message>
        <source>Afficher l&apos;équation</source>
        <translation>Show the equation</translation>
    </message>
    <message>
        <source>Afficher l&apos;équation du modèle</source>
        <translation>Show the equation of the model</translation>
    </message>
    <message>
        <source>Afficher la légende des courbes</source>
        <translation>Show the legend of the curves</translation>
    </message>
    <message>
        <source>Afficher la légende des profils</source>
        <translation>Show the legend of the profiles</translation>
    </message>
    <message>
        <source>Afficher la trajectoire dans un référentiel</source>
        <translation>Show the trajectory in a frame of reference</translation>
    </message>
    <message>
        <source>Afficher le nom des objets</source>
        <translation>Show the names of the objects</translation>
    </message>
    <message>
        <source>Afficher le tableau des valeurs (Ctrl+T)</source>
        <translation>Show the table of values (Ctrl+T)</translation>
    </message>
    <message>
        <source>Afficher les colonnes des accélérations</source>
        <translation>Show the acceleration columns</translation>
    </message>
    <message>
        <source>Afficher les colonnes des coordonnées</source>
        <translation>Show the coordinate columns</translation>
    </message>
    <message>
        <source>Afficher les colonnes des grandeurs polaires</source>
        <translation>Show the polar quantity columns</translation>
    </message>
    <message>
        <source>Afficher les colonnes des vitesses</source>
        <translation>Show the velocity columns</translation>
    </message>
    <message>
        <source>Afficher les grandeurs en fonction du temps</source>
        <translation>Show the quantities against time</translation>
    </message>
    <message>
        <source>Afficher les images</source>
        <translation>Show the frames</translation>
    </message>
    <message>
        <source>Afficher les statistiques du modèle</source>
        <translation>Show the statistics of the model</translation>
    </message>
    <message>
        <source>Afficher les vecteurs vitesse et accélération sur la trajectoire</source>
        <translation>Show the velocity and acceleration vectors on the trajectory</translation>
    </message>
    <message>
        <source>Afficher ou masquer une série d&apos;images</source>
        <translation>Show or hide a series of frames</translation>
    </message>
    <message>
        <source>Afficher une boîte de dialogue quand une image est masquée</source>
        <translation>Show a dialog box when a frame is hidden</translation>
    </message>
    <message>
        <source>Aide de Kinoval</source>
        <translation>Kinoval help</translation>
    </message>
    <message>
        <source>Aide à la saisie</source>
        <translation>Typing aid</translation>
    </message>
    <message>
        <source>Aide à la saisie des formules</source>
        <translation>Formula typing aid</translation>
    </message>
    <message>
        <source>Ajouter</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Ajouter l&apos;unité saisie à la liste</source>
        <translation>Add the typed unit to the list</translation>
    </message>
    <message>
        <source>Ajouter la constante</source>
        <translation>Add the constant</translation>
    </message>
    <message>
        <source>Ajouter la formule</source>
        <translation>Add the formula</translation>
    </message>
    <message>
        <source>Ajouter la formule saisie à la liste</source>
        <translation>Add the typed formula to the list</translation>
    </message>
    <message>
        <source>Ajouter le commentaire saisi à la liste</source>
        <translation>Add the typed comment to the list</translation>
    </message>
    <message>
        <source>Ajuster l&apos;axe horizontal aux valeurs</source>
        <translation>Fit the horizontal axis to the values</translation>
    </message>
    <message>
        <source>Ajuster l&apos;axe vertical aux valeurs</source>
        <translation>Fit the vertical axis to the values</translation>
    </message>
    <message>
        <source>Aller à l&apos;image &amp;numéro...</source>
        <translation>Go to frame &amp;number...</translation>
    </message>
    <message>
        <source>Aller à l&apos;image précédente (Page précédente)</source>
        <translation>Go to the previous frame (Page Up)</translation>
    </message>
    <message>
        <source>Aller à l&apos;image suivante (Page suivante)</source>
        <translation>Go to the next frame (Page Down)</translation>
    </message>
    <message>
        <source>Aller à la &amp;dernière image pointée</source>
        <translation>Go to the &amp;last marked frame</translation>
    </message>
    <message>
        <source>Aller à la dernière image (Fin)</source>
        <translation>Go to the last frame (End)</translation>
    </message>
    <message>
        <source>Aller à la première image (Début)</source>
        <translation>Go to the first frame (Home)</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>Angle avec l&apos;horizontale</source>
        <translation>Angle with the horizontal</translation>
    </message>
    <message>
        <source>Angle de rotation du repère</source>
        <translation>Rotation angle of the axes</translation>
    </message>
    <message>
        <source>Angle de rotation du repère (cliquer pour le saisir)</source>
        <translation>Rotation angle of the axes (click to type it)</translation>
    </message>
    <message>
        <source>Angle de rotation du repère dans le sens trigonométrique %s %s %s</source>
        <translation>Rotation angle of the axes, counterclockwise %s %s %s</translation>
    </message>
    <message>
        <source>Angle de rotation du repère en degré(s)</source>
        <translation>Rotation angle of the axes in degree(s)</translation>
    </message>
    <message>
        <source>Angle entre les rayons</source>
        <translation>Angle between the radii</translation>
    </message>
    <message>
        <source>Angle saillant entre les deux droites</source>
        <translation>Salient angle between the two lines</translation>
    </message>
    <message>
        <source>Angles</source>
        <translation>Angles</translation>
    </message>
    <message>
        <source>Annuler</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Annuler</source>
        <comment>undo</comment>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Annuler l&apos;ouverture</source>
        <translation>Cancel the opening</translation>
    </message>
    <message>
        <source>Annuler la dernière modification du graphe (Ctrl+A ou Ctrl+Z dans le graphe)</source>
        <translation>Undo the last change of the graph (Ctrl+A or Ctrl+Z in the graph)</translation>
    </message>
    <message>
        <source>Annuler la fermeture</source>
        <translation>Cancel closing</translation>
    </message>
    <message>
        <source>Aperçu avant impression</source>
        <translation>Print preview</translation>
    </message>
    <message>
        <source>Après avoir fermé cette fenêtre, ouvrir un logiciel et frapper au clavier simultanément Ctrl + V (ou menu Edition &gt; Coller).</source>
        <translation>After closing this window, open a program and press Ctrl + V together (or menu Edit &gt; Paste).</translation>
    </message>
    <message>
        <source>Arc</source>
        <translation>Arc</translation>
    </message>
    <message>
        <source>Arc de cercle</source>
        <translation>Circular arc</translation>
    </message>
    <message>
        <source>Arc de courbe</source>
        <translation>Curve arc</translation>
    </message>
    <message>
        <source>Argument invalide.</source>
        <translation>Invalid argument.</translation>
    </message>
    <message>
        <source>Arrêter</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Arrêter la capture</source>
        <translation>Stop the capture</translation>
    </message>
    <message>
        <source>Arrêter la capture (F9)</source>
        <translation>Stop the capture (F9)</translation>
    </message>
    <message>
        <source>Arrêter la lecture</source>
        <translation>Stop playback</translation>
    </message>
    <message>
        <source>Assembler des images</source>
        <translation>Assemble pictures</translation>
    </message>
    <message>
        <source>Atelier vidéo</source>
        <translation>Video workshop</translation>
    </message>
    <message>
        <source>Au moins une image doit rester visible.</source>
        <translation>At least one frame must stay visible.</translation>
    </message>
    <message>
        <source>Aucun des lecteurs vidéo (AVI, GStreamer, FFmpeg) ne reconnaît le contenu de ce fichier.</source>
        <translation>None of the video players (AVI, GStreamer, FFmpeg) recognises the contents of this file.</translation>
    </message>
    <message>
        <source>Aucun des lecteurs vidéo ne sait décoder ce fichier.</source>
        <translation>None of the video players can decode this file.</translation>
    </message>
    <message>
        <source>Aucun décodeur installé ne lit le codec de cette vidéo (%s).</source>
        <translation>No installed decoder reads the codec of this video (%s).</translation>
    </message>
    <message>
        <source>Aucun numéro</source>
        <translation>No number</translation>
    </message>
    <message>
        <source>Aucun périphérique de capture détecté.</source>
        <translation>No capture device found.</translation>
    </message>
    <message>
        <source>Aucun périphérique de capture sélectionné.</source>
        <translation>No capture device selected.</translation>
    </message>
    <message>
        <source>Aucun résultat à montrer : il faut une vidéo et une échelle.</source>
        <translation>No results to show: a video and a scale are needed.</translation>
    </message>
    <message>
        <source>Aucun tableur n&apos;a pu ouvrir le classeur %s.</source>
        <translation>No spreadsheet could open the workbook %s.</translation>
    </message>
    <message>
        <source>Aucune courbe</source>
        <translation>No curve</translation>
    </message>
    <message>
        <source>Aucune valeur calculable (l&apos;indice est probablement trop grand). Variable non calculable : %s</source>
        <translation>No computable value (the index is probably too large). Variable that cannot be computed: %s</translation>
    </message>
    <message>
        <source>Augmenter</source>
        <translation>Increase</translation>
    </message>
    <message>
        <source>Augmenter la valeur ; appuyer simultanément sur la touche Ctrl pour ralentir la progression</source>
        <translation>Increase the value; hold the Ctrl key down to slow the progression</translation>
    </message>
    <message>
        <source>Augmenter rapidement</source>
        <translation>Increase quickly</translation>
    </message>
    <message>
        <source>Augmenter rapidement la valeur</source>
        <translation>Increase the value quickly</translation>
    </message>
    <message>
        <source>Autre nombre...</source>
        <translation>Other number...</translation>
    </message>
    <message>
        <source>Autre valeur ...</source>
        <translation>Other value ...</translation>
    </message>
    <message>
        <source>Autres boutons de la barre</source>
        <translation>Other buttons of the bar</translation>
    </message>
    <message>
        <source>Balle lancée (chute libre)</source>
        <translation>Thrown ball (free fall)</translation>
    </message>
    <message>
        <source>Bouton gauche (ou Entrée) = poser l&apos;origine ; bouton droit (ou Echap) = annuler ; Ctrl + touche de direction = déplacer le pointeur de la souris</source>
        <translation>Left button (or Enter) = place the origin; right button (or Esc) = cancel; Ctrl + arrow key = move the mouse pointer</translation>
    </message>
    <message>
        <source>Bouton gauche (ou Entrée) = poser une marque ; bouton droit (ou Echap) = annuler ; Ctrl + touche de direction = déplacer le pointeur de la souris</source>
        <translation>Left button (or Enter) = place a mark; right button (or Esc) = cancel; Ctrl + arrow key = move the mouse pointer</translation>
    </message>
    <message>
        <source>Bouton gauche = agrandir ; bouton droit = réduire ; appuyer simultanément sur la touche Ctrl pour ralentir la progression</source>
        <translation>Left button = zoom in; right button = zoom out; hold the Ctrl key down to slow the progression</translation>
    </message>
    <message>
        <source>Bouton gauche = cacher ou modifier la colonne ; bouton droit = supprimer</source>
        <translation>Left button = hide or change the column; right button = delete</translation>
    </message>
    <message>
        <source>Bouton gauche = dessiner le contour de l&apos;objet ; bouton droit = supprimer le contour de l&apos;image</source>
        <translation>Left button = draw the outline of the object; right button = delete the outline of the frame</translation>
    </message>
    <message>
        <source>Bouton gauche = glisser-déposer ; bouton droit ou Echap = annuler ; touches + et - = taille du transparent</source>
        <translation>Left button = drag and drop; right button or Esc = cancel; + and - keys = size of the transparent sheet</translation>
    </message>
    <message>
        <source>Bouton gauche = glisser-déposer l&apos;image dans son cadre</source>
        <translation>Left button = drag and drop the picture within its frame</translation>
    </message>
    <message>
        <source>Bouton gauche = glisser-déposer la marque sous le pointeur de la souris</source>
        <translation>Left button = drag and drop the mark under the mouse pointer</translation>
    </message>
    <message>
        <source>Bouton gauche = poser une extrémité du segment ; bouton droit (ou Echap) = annuler</source>
        <translation>Left button = place one end of the segment; right button (or Esc) = cancel</translation>
    </message>
    <message>
        <source>Bouton gauche = supprimer la marque sous le pointeur de la souris ; bouton droit = supprimer les marques de l&apos;image</source>
        <translation>Left button = delete the mark under the mouse pointer; right button = delete the marks of the frame</translation>
    </message>
    <message>
        <source>Bouton gauche = supprimer le contour sous le pointeur, ou ceux d&apos;un rectangle tracé</source>
        <translation>Left button = delete the outline under the pointer, or those of a drawn rectangle</translation>
    </message>
    <message>
        <source>Bulle des valeurs</source>
        <translation>Value bubble</translation>
    </message>
    <message>
        <source>C&apos;est un dossier, pas un fichier.</source>
        <translation>This is a folder, not a file.</translation>
    </message>
    <message>
        <source>Cacher l&apos;accélération au début et à la fin (deux marques)</source>
        <translation>Hide the acceleration at the start and at the end (two marks)</translation>
    </message>
    <message>
        <source>Cacher la vitesse au début et à la fin (une marque)</source>
        <translation>Hide the velocity at the start and at the end (one mark)</translation>
    </message>
    <message>
        <source>Cadence</source>
        <translation>Frame rate</translation>
    </message>
    <message>
        <source>Cadre de travail</source>
        <translation>Framework</translation>
    </message>
    <message>
        <source>Cadre de travail :</source>
        <translation>Framework:</translation>
    </message>
    <message>
        <source>Cadre de travail : %s</source>
        <translation>Framework: %s</translation>
    </message>
    <message>
        <source>Calcul de la puissance fractionnaire d&apos;un nombre négatif.</source>
        <translation>Fractional power of a negative number.</translation>
    </message>
    <message>
        <source>Calcul de la racine carrée d&apos;un nombre négatif.</source>
        <translation>Square root of a negative number.</translation>
    </message>
    <message>
        <source>Calcul du logarithme d&apos;un nombre négatif ou nul.</source>
        <translation>Logarithm of a negative number or of zero.</translation>
    </message>
    <message>
        <source>Calculatrice</source>
        <translation>Calculator</translation>
    </message>
    <message>
        <source>Calculer</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Calculer la formule saisie et l&apos;ajouter au tableau</source>
        <translation>Calculate the typed formula and add it to the table</translation>
    </message>
    <message>
        <source>Calculer les grandeurs polaires (angle, rayon, vitesse angulaire)</source>
        <translation>Calculate the polar quantities (angle, radius, angular velocity)</translation>
    </message>
    <message>
        <source>Calculs</source>
        <translation>Calculations</translation>
    </message>
    <message>
        <source>Capture vidéo</source>
        <translation>Video capture</translation>
    </message>
    <message>
        <source>Caractères spéciaux</source>
        <translation>Special characters</translation>
    </message>
    <message>
        <source>Carré</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Ce fichier de réglages ne peut pas être lu.</source>
        <translation>This settings file cannot be read.</translation>
    </message>
    <message>
        <source>Ce fichier n&apos;est pas un travail Kinoval lisible.</source>
        <translation>This file is not a readable Kinoval study.</translation>
    </message>
    <message>
        <source>Ce fichier ne contient aucune piste vidéo.</source>
        <translation>This file contains no video track.</translation>
    </message>
    <message>
        <source>Ce fichier ou ce dossier n&apos;existe pas.</source>
        <translation>This file or folder does not exist.</translation>
    </message>
    <message>
        <source>Ce nom est celui d&apos;un dossier, pas d&apos;un fichier vidéo.</source>
        <translation>This name is that of a folder, not of a video file.</translation>
    </message>
    <message>
        <source>Ce nom n&apos;est pas celui d&apos;un fichier ordinaire (périphérique, tube ou autre).</source>
        <translation>This name is not that of an ordinary file (device, pipe or other).</translation>
    </message>
    <message>
        <source>Ce travail a été chargé, mais pas tel qu&apos;il a été enregistré :</source>
        <translation>This study was loaded, but not as it was saved:</translation>
    </message>
    <message>
        <source>Cercle</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Certaines valeurs de ce fichier sont illisibles : elles ont été remplacées par leurs valeurs par défaut.</source>
        <translation>Some values of this file are unreadable: they were replaced by their default values.</translation>
    </message>
    <message>
        <source>Certains codecs imposent des restrictions aux dimensions des images.</source>
        <translation>Some codecs restrict the dimensions of the pictures.</translation>
    </message>
    <message>
        <source>Certains modèles enregistrés sont illisibles : %s modèle(s) ignoré(s) ou ajusté(s) à nouveau.</source>
        <translation>Some saved models are unreadable: %s model(s) ignored or fitted again.</translation>
    </message>
    <message>
        <source>Cette chaîne de caractères ne représente pas un entier acceptable.</source>
        <translation>This string of characters is not an acceptable integer.</translation>
    </message>
    <message>
        <source>Cette chaîne de caractères ne représente pas un nombre réel acceptable.</source>
        <translation>This string of characters is not an acceptable real number.</translation>
    </message>
    <message>
        <source>Cette fenêtre permet de sélectionner la partie utile du flux vidéo ou</source>
        <translation>This window selects the useful part of the video stream or</translation>
    </message>
    <message>
        <source>Cette image ne sera plus visible dans le flux vidéo à la sortie du montage.</source>
        <translation>This frame will no longer be visible in the video stream coming out of the montage.</translation>
    </message>
    <message>
        <source>Cette image sera de nouveau visible dans le flux vidéo à la sortie du montage.</source>
        <translation>This frame will be visible again in the video stream coming out of the montage.</translation>
    </message>
    <message>
        <source>Cette vidéo ne contient aucune image.</source>
        <translation>This video contains no frame.</translation>
    </message>
    <message>
        <source>Changer de cadre de travail implique :</source>
        <translation>Changing the framework means:</translation>
    </message>
    <message>
        <source>Changer le sens</source>
        <translation>Reverse</translation>
    </message>
    <message>
        <source>Changer le sens des vecteurs sélectionnés</source>
        <translation>Reverse the selected vectors</translation>
    </message>
    <message>
        <source>Changer sens</source>
        <translation>Reverse direction</translation>
    </message>
    <message>
        <source>Chaîne de caractères vide</source>
        <translation>Empty string of characters</translation>
    </message>
    <message>
        <source>Choisir</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>Choisir l&apos;objet à suivre</source>
        <translation>Choose the object to track</translation>
    </message>
    <message>
        <source>Choisir la couleur des prochains outils et vecteurs</source>
        <translation>Choose the colour of the next tools and vectors</translation>
    </message>
    <message>
        <source>Choisir la dernière image du suivi</source>
        <translation>Choose the last frame of the tracking</translation>
    </message>
    <message>
        <source>Choisir la forme du contour à dessiner</source>
        <translation>Choose the shape of the outline to draw</translation>
    </message>
    <message>
        <source>Choisir le rayon de la zone de recherche</source>
        <translation>Choose the radius of the search area</translation>
    </message>
    <message>
        <source>Choisissez le périphérique de capture (caméra, webcam...).</source>
        <translation>Choose the capture device (camera, webcam...).</translation>
    </message>
    <message>
        <source>Chronophotographie</source>
        <translation>Stroboscopic picture</translation>
    </message>
    <message>
        <source>Circonférence de l&apos;ellipse</source>
        <translation>Circumference of the ellipse</translation>
    </message>
    <message>
        <source>Circonférence du cercle</source>
        <translation>Circumference of the circle</translation>
    </message>
    <message>
        <source>Codeur de compression</source>
        <translation>Compression encoder</translation>
    </message>
    <message>
        <source>Codeur de compression :</source>
        <translation>Compression encoder:</translation>
    </message>
    <message>
        <source>Codeur de compression : %s</source>
        <translation>Compression encoder: %s</translation>
    </message>
    <message>
        <source>Coller</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Coller les objets découpés sur une seule image et l&apos;enregistrer</source>
        <translation>Paste the cut-out objects onto one picture and save it</translation>
    </message>
    <message>
        <source>Colonnes du tableau</source>
        <translation>Table columns</translation>
    </message>
    <message>
        <source>Colorier</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Commentaire</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Commentaire :</source>
        <translation>Comment:</translation>
    </message>
    <message>
        <source>Commentaire de la formule</source>
        <translation>Comment of the formula</translation>
    </message>
    <message>
        <source>Commentaire et unité</source>
        <translation>Comment and unit</translation>
    </message>
    <message>
        <source>Commentaires courants</source>
        <translation>Frequent comments</translation>
    </message>
    <message>
        <source>Composante selon x de l&apos;accélération</source>
        <translation>x component of the acceleration</translation>
    </message>
    <message>
        <source>Composante selon x de la vitesse</source>
        <translation>x component of the velocity</translation>
    </message>
    <message>
        <source>Composante selon y de l&apos;accélération</source>
        <translation>y component of the acceleration</translation>
    </message>
    <message>
        <source>Composante selon y de la vitesse</source>
        <translation>y component of the velocity</translation>
    </message>
    <message>
        <source>Compression</source>
        <translation>Compression</translation>
    </message>
    <message>
        <source>Confirmations</source>
        <translation>Confirmations</translation>
    </message>
    <message>
        <source>Confirmer le mot de passe :</source>
        <translation>Confirm the password:</translation>
    </message>
    <message>
        <source>Conseiller de nommer les objets avant d&apos;afficher les résultats</source>
        <translation>Advise naming the objects before showing the results</translation>
    </message>
    <message>
        <source>Conserver la valeur par défaut</source>
        <translation>Keep the default value</translation>
    </message>
    <message>
        <source>Constante</source>
        <translation>Constant</translation>
    </message>
    <message>
        <source>Constantes</source>
        <translation>Constants</translation>
    </message>
    <message>
        <source>Conteneur vidéo : %s</source>
        <translation>Video container: %s</translation>
    </message>
    <message>
        <source>Continuer</source>
        <translation>Continue</translation>
    </message>
    <message>
        <source>Contour</source>
        <translation>Outline</translation>
    </message>
    <message>
        <source>Contour de l&apos;objet à suivre</source>
        <translation>Outline of the object to track</translation>
    </message>
    <message>
        <source>Contour point par point ; double clic = terminer</source>
        <translation>Outline point by point; double click = finish</translation>
    </message>
    <message>
        <source>Contour à main levée</source>
        <translation>Freehand outline</translation>
    </message>
    <message>
        <source>Coordonnée angulaire</source>
        <translation>Angular coordinate</translation>
    </message>
    <message>
        <source>Coordonnée radiale</source>
        <translation>Radial coordinate</translation>
    </message>
    <message>
        <source>Coordonnées</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>Copie dans le presse-papier effectuée.</source>
        <translation>Copied to the clipboard.</translation>
    </message>
    <message>
        <source>Copier</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Copier et lancer</source>
        <translation>Copy and start</translation>
    </message>
    <message>
        <source>Copier l&apos;image dans le presse-papier</source>
        <translation>Copy the picture to the clipboard</translation>
    </message>
    <message>
        <source>Copier l&apos;équation du modèle, ses paramètres et ses statistiques</source>
        <translation>Copy the equation of the model, its parameters and its statistics</translation>
    </message>
    <message>
        <source>Copier le modèle</source>
        <translation>Copy the model</translation>
    </message>
    <message>
        <source>Copier le tableau dans le presse-papier</source>
        <translation>Copy the table to the clipboard</translation>
    </message>
    <message>
        <source>Copier le tableau dans le presse-papier pour Python</source>
        <translation>Copy the table to the clipboard for Python</translation>
    </message>
    <message>
        <source>Cosinus</source>
        <translation>Cosine</translation>
    </message>
    <message>
        <source>Couleur</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>Couleur des axes et de l&apos;échelle</source>
        <translation>Colour of the axes and of the scale</translation>
    </message>
    <message>
        <source>Couleur du tracé</source>
        <translation>Drawing colour</translation>
    </message>
    <message>
        <source>Couleurs</source>
        <translation>Colours</translation>
    </message>
    <message>
        <source>Couper</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>Courbe</source>
        <translation>Curve</translation>
    </message>
    <message>
        <source>Courber</source>
        <translation>Bend</translation>
    </message>
    <message>
        <source>Courber un arc, ou changer un cercle ou une ellipse</source>
        <translation>Bend an arc, or reshape a circle or an ellipse</translation>
    </message>
    <message>
        <source>Crochet fermant</source>
        <translation>Closing square bracket</translation>
    </message>
    <message>
        <source>Crochet ouvrant</source>
        <translation>Opening square bracket</translation>
    </message>
    <message>
        <source>Créer</source>
        <translation>Create</translation>
    </message>
    <message>
        <source>Créer une vidéo à partir de fichiers images</source>
        <translation>Create a video from picture files</translation>
    </message>
    <message>
        <source>Ctrl + A : sélectionner tout</source>
        <translation>Ctrl + A: select all</translation>
    </message>
    <message>
        <source>Ctrl + clic gauche de la souris : sélectionner un élément indépendamment des autres</source>
        <translation>Ctrl + left click: select an element independently of the others</translation>
    </message>
    <message>
        <source>Cylindre roulant sur un plan incliné</source>
        <translation>Cylinder rolling down an inclined plane</translation>
    </message>
    <message>
        <source>Dans Regressi, collez le tableau (Ctrl + V ou menu Edition &gt; Coller).</source>
        <translation>In Regressi, paste the table (Ctrl + V or menu Edit &gt; Paste).</translation>
    </message>
    <message>
        <source>Degrés</source>
        <translation>Degrees</translation>
    </message>
    <message>
        <source>Dernière image</source>
        <translation>Last frame</translation>
    </message>
    <message>
        <source>Dernière image du suivi</source>
        <translation>Last frame of the tracking</translation>
    </message>
    <message>
        <source>Dessiner</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>Dessiner le contour de l&apos;objet</source>
        <translation>Draw the outline of the object</translation>
    </message>
    <message>
        <source>Dessiner le contour de l&apos;objet à suivre</source>
        <translation>Draw the outline of the object to track</translation>
    </message>
    <message>
        <source>Dessiner les dernières marques posées</source>
        <translation>Draw the last marks placed</translation>
    </message>
    <message>
        <source>Dessiner les vecteurs</source>
        <translation>Draw the vectors</translation>
    </message>
    <message>
        <source>Dessiner une zone à ignorer</source>
        <translation>Draw an area to ignore</translation>
    </message>
    <message>
        <source>Dessiner, au préalable, au moins une fois le contour d&apos;un objet.</source>
        <translation>First draw the outline of an object at least once.</translation>
    </message>
    <message>
        <source>Dessiner, au préalable, le contour de l&apos;objet à suivre.</source>
        <translation>First draw the outline of the object to track.</translation>
    </message>
    <message>
        <source>Deux</source>
        <translation>Two</translation>
    </message>
    <message>
        <source>Diminuer</source>
        <translation>Decrease</translation>
    </message>
    <message>
        <source>Diminuer la valeur ; appuyer simultanément sur la touche Ctrl pour ralentir la progression</source>
        <translation>Decrease the value; hold the Ctrl key down to slow the progression</translation>
    </message>
    <message>
        <source>Diminuer rapidement</source>
        <translation>Decrease quickly</translation>
    </message>
    <message>
        <source>Diminuer rapidement la valeur</source>
        <translation>Decrease the value quickly</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>Diviser</source>
        <translation>Divide</translation>
    </message>
    <message>
        <source>Division par zéro.</source>
        <translation>Division by zero.</translation>
    </message>
    <message>
        <source>Document PDF (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Donner la couleur du tracé aux outils désignés (cliquer ou encadrer)</source>
        <translation>Give the drawing colour to the tools designated (click or frame them)</translation>
    </message>
    <message>
        <source>Donner un nom</source>
        <translation>Give a name</translation>
    </message>
    <message>
        <source>Dossier :</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>Dossier des vidéos par défaut :</source>
        <translation>Default video folder:</translation>
    </message>
    <message>
        <source>Droite</source>
        <translation>Straight line</translation>
    </message>
    <message>
        <source>Droite par l&apos;origine</source>
        <translation>Line through the origin</translation>
    </message>
    <message>
        <source>Du centre du cercle vers son bord</source>
        <translation>From the centre of the circle to its edge</translation>
    </message>
    <message>
        <source>Dupliquer</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>Dupliquer les outils désignés (cliquer ou encadrer)</source>
        <translation>Duplicate the tools designated (click or frame them)</translation>
    </message>
    <message>
        <source>Durée :</source>
        <translation>Duration:</translation>
    </message>
    <message>
        <source>Durée d&apos;une image :</source>
        <translation>Duration of a frame:</translation>
    </message>
    <message>
        <source>Durée en secondes</source>
        <translation>Duration in seconds</translation>
    </message>
    <message>
        <source>Durée entre deux images</source>
        <translation>Time between two frames</translation>
    </message>
    <message>
        <source>Durée fixée (s)</source>
        <translation>Fixed duration (s)</translation>
    </message>
    <message>
        <source>Durée moyenne d&apos;une image :</source>
        <translation>Mean duration of a frame:</translation>
    </message>
    <message>
        <source>Durée moyenne d&apos;une image : %s s.</source>
        <translation>Mean duration of a frame: %s s.</translation>
    </message>
    <message>
        <source>Début de la saisie</source>
        <translation>Start of the input</translation>
    </message>
    <message>
        <source>Décocher pour masquer toutes les marques de l&apos;objet</source>
        <translation>Untick to hide all the marks of the object</translation>
    </message>
    <message>
        <source>Décomposer en images</source>
        <translation>Split into pictures</translation>
    </message>
    <message>
        <source>Décomposer une vidéo en fichiers images</source>
        <translation>Split a video into picture files</translation>
    </message>
    <message>
        <source>Définir</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Définir le nombre de points suivis</source>
        <translation>Set the number of tracked points</translation>
    </message>
    <message>
        <source>Définir, au préalable, l&apos;échelle à l&apos;aide d&apos;une longueur connue.</source>
        <translation>First set the scale with a known length.</translation>
    </message>
    <message>
        <source>Déformer</source>
        <translation>Deform</translation>
    </message>
    <message>
        <source>Déformer la bulle des valeurs du modèle</source>
        <translation>Deform the value bubble of the model</translation>
    </message>
    <message>
        <source>Délai en secondes</source>
        <translation>Delay in seconds</translation>
    </message>
    <message>
        <source>Démarrer après un délai (s)</source>
        <translation>Start after a delay (s)</translation>
    </message>
    <message>
        <source>Démarrer la capture</source>
        <translation>Start the capture</translation>
    </message>
    <message>
        <source>Démarrer la capture (F9)</source>
        <translation>Start the capture (F9)</translation>
    </message>
    <message>
        <source>Déplacer</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Déplacer des marques</source>
        <translation>Move marks</translation>
    </message>
    <message>
        <source>Déplacer l&apos;image</source>
        <translation>Move the picture</translation>
    </message>
    <message>
        <source>Déplacer le graphe</source>
        <translation>Move the graph</translation>
    </message>
    <message>
        <source>Déplacer le graphe avec la souris</source>
        <translation>Move the graph with the mouse</translation>
    </message>
    <message>
        <source>Ec = 0,5*m*v^2
    énergie cinétique (la constante m est déclarée dans le tableau des constantes)
Ep = m*g*y
    énergie potentielle de pesanteur
Em = Ec + Ep
    une formule peut utiliser d&apos;autres formules
p = m1*v1 + m2*v2
    le chiffre qui suit une grandeur désigne l&apos;objet (v2 : vitesse de l&apos;objet 2)
m1*vx1 + m2*vx2
    une formule sans nom est calculée comme les autres
d = Sqrt((x2-x1)^2 + (y2-y1)^2)
    distance entre deux objets
vm = (x[i+1]-x[i-1])/(t[i+1]-t[i-1])
    [i] désigne la ligne en cours, [i-1] la précédente, [i+1] la suivante
y_e[i+1] = y_e[i] + vy_e[i]*Dt
    formule itérative (méthode d&apos;Euler) : la valeur initiale y_e[1] est une constante</source>
        <translation>Ek = 0.5*m*v^2
    kinetic energy (the constant m is declared in the table of constants)
Ep = m*g*y
    gravitational potential energy
Em = Ek + Ep
    a formula may use other formulas
p = m1*v1 + m2*v2
    the digit after a quantity names the object (v2: velocity of object 2)
m1*vx1 + m2*vx2
    a formula without a name is calculated like the others
d = Sqrt((x2-x1)^2 + (y2-y1)^2)
    distance between two objects
vm = (x[i+1]-x[i-1])/(t[i+1]-t[i-1])
    [i] is the current row, [i-1] the previous one, [i+1] the next one
y_e[i+1] = y_e[i] + vy_e[i]*Dt
    iterative formula (Euler&apos;s method): the initial value y_e[1] is a constant</translation>
    </message>
    <message>
        <source>Echelle</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>Echelle des vecteurs</source>
        <translation>Vector scale</translation>
    </message>
    <message>
        <source>Echelle horizontale</source>
        <translation>Horizontal scale</translation>
    </message>
    <message>
        <source>Echelle verticale</source>
        <translation>Vertical scale</translation>
    </message>
    <message>
        <source>Edition</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Effacer</source>
        <translation>Erase</translation>
    </message>
    <message>
        <source>Effacer contour</source>
        <translation>Erase outline</translation>
    </message>
    <message>
        <source>Effacer des contours</source>
        <translation>Erase outlines</translation>
    </message>
    <message>
        <source>Effacer des marques</source>
        <translation>Erase marks</translation>
    </message>
    <message>
        <source>Effacer la dernière zone ignorée</source>
        <translation>Erase the last ignored area</translation>
    </message>
    <message>
        <source>Effacer le caractère précédent</source>
        <translation>Erase the previous character</translation>
    </message>
    <message>
        <source>Effacer le contour</source>
        <translation>Erase the outline</translation>
    </message>
    <message>
        <source>Effacer le contour de l&apos;objet</source>
        <translation>Erase the outline of the object</translation>
    </message>
    <message>
        <source>Effacer les positions suivies</source>
        <translation>Erase the tracked positions</translation>
    </message>
    <message>
        <source>Effacer les zones ignorées</source>
        <translation>Erase the ignored areas</translation>
    </message>
    <message>
        <source>Effacer suivi</source>
        <translation>Erase tracking</translation>
    </message>
    <message>
        <source>Effacer zone</source>
        <translation>Erase area</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>Ellipse</translation>
    </message>
    <message>
        <source>En bas</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>En dessous</source>
        <translation>Below</translation>
    </message>
    <message>
        <source>En dessous de la marque</source>
        <translation>Below the mark</translation>
    </message>
    <message>
        <source>En haut</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>En-tête du tableau</source>
        <translation>Table header</translation>
    </message>
    <message>
        <source>Enfin, relancez la copie annulée (Edition &gt; copier et lancer &gt; Regressi).</source>
        <translation>Finally, start the cancelled copy again (Edit &gt; Copy and start &gt; Regressi).</translation>
    </message>
    <message>
        <source>Enregistrement dans un fichier CSV effectué.</source>
        <translation>Saved to a CSV file.</translation>
    </message>
    <message>
        <source>Enregistrement dans un fichier image effectué.</source>
        <translation>Saved to a picture file.</translation>
    </message>
    <message>
        <source>Enregistrement dans un fichier texte effectué.</source>
        <translation>Saved to a text file.</translation>
    </message>
    <message>
        <source>Enregistrer</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image</source>
        <translation>Save the picture</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image courante</source>
        <translation>Save the current frame</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;image dans un fichier</source>
        <translation>Save the picture to a file</translation>
    </message>
    <message>
        <source>Enregistrer l&apos;étude &amp;sous...</source>
        <translation>Save the study &amp;as...</translation>
    </message>
    <message>
        <source>Enregistrer la chronophotographie dans un fichier</source>
        <translation>Save the stroboscopic picture to a file</translation>
    </message>
    <message>
        <source>Enregistrer la vidéo</source>
        <translation>Save the video</translation>
    </message>
    <message>
        <source>Enregistrer la vidéo sous forme de fichiers images</source>
        <translation>Save the video as picture files</translation>
    </message>
    <message>
        <source>Enregistrer le &amp;montage dans un fichier vidéo...</source>
        <translation>Save the &amp;montage to a video file...</translation>
    </message>
    <message>
        <source>Enregistrer le montage dans un fichier vidéo</source>
        <translation>Save the montage to a video file</translation>
    </message>
    <message>
        <source>Enregistrer le travail dans un fichier</source>
        <translation>Save the study to a file</translation>
    </message>
    <message>
        <source>Enregistrer un fichier vidéo</source>
        <translation>Save a video file</translation>
    </message>
    <message>
        <source>Enregistrer un travail dans un fichier KVL</source>
        <translation>Save a study to a KVL file</translation>
    </message>
    <message>
        <source>Enregistrer une vidéo</source>
        <translation>Save a video</translation>
    </message>
    <message>
        <source>Epaisseur des traits des graphes :</source>
        <translation>Line width of the graphs:</translation>
    </message>
    <message>
        <source>Erreur d&apos;entrée-sortie sur le support.</source>
        <translation>Input-output error on the medium.</translation>
    </message>
    <message>
        <source>Erreur détectée durant l&apos;enregistrement des fichiers images :</source>
        <translation>Error while saving the picture files:</translation>
    </message>
    <message>
        <source>Erreur détectée durant la création du fichier vidéo :</source>
        <translation>Error while creating the video file:</translation>
    </message>
    <message>
        <source>Erreur inattendue détectée pendant la capture d&apos;image.</source>
        <translation>Unexpected error while capturing the picture.</translation>
    </message>
    <message>
        <source>Erreur inattendue détectée pendant la création de la chronophotographie.</source>
        <translation>Unexpected error while creating the stroboscopic picture.</translation>
    </message>
    <message>
        <source>Erreur non répertoriée</source>
        <translation>Unlisted error</translation>
    </message>
    <message>
        <source>Erreur non répertoriée.</source>
        <translation>Unlisted error.</translation>
    </message>
    <message>
        <source>Etalonnage et numéros</source>
        <translation>Calibration and numbers</translation>
    </message>
    <message>
        <source>Etalonner avec deux échelles, l&apos;une horizontale et l&apos;autre verticale</source>
        <translation>Calibrate with two scales, one horizontal and one vertical</translation>
    </message>
    <message>
        <source>Etalonner un segment</source>
        <translation>Calibrate a segment</translation>
    </message>
    <message>
        <source>Etude enregistrée dans</source>
        <translation>Study saved in</translation>
    </message>
    <message>
        <source>Evolution en fonction du temps</source>
        <translation>Evolution against time</translation>
    </message>
    <message>
        <source>Exemples</source>
        <translation>Examples</translation>
    </message>
    <message>
        <source>Exemples de constantes</source>
        <translation>Examples of constants</translation>
    </message>
    <message>
        <source>Exemples de formules</source>
        <translation>Examples of formulas</translation>
    </message>
    <message>
        <source>Exponentielle</source>
        <translation>Exponential</translation>
    </message>
    <message>
        <source>Exporter</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Exporter au format CSV</source>
        <translation>Export in CSV format</translation>
    </message>
    <message>
        <source>Exporter dans un fichier CSV</source>
        <translation>Export to a CSV file</translation>
    </message>
    <message>
        <source>Exporter dans un fichier image</source>
        <translation>Export to a picture file</translation>
    </message>
    <message>
        <source>Exporter dans un fichier texte</source>
        <translation>Export to a text file</translation>
    </message>
    <message>
        <source>Exporter en PDF</source>
        <translation>Export to PDF</translation>
    </message>
    <message>
        <source>Expression à calculer</source>
        <translation>Expression to calculate</translation>
    </message>
    <message>
        <source>Exprimer les angles en radians (en degrés par défaut)</source>
        <translation>Express angles in radians (in degrees by default)</translation>
    </message>
    <message>
        <source>FFmpeg</source>
        <translation>FFmpeg</translation>
    </message>
    <message>
        <source>Fermer</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Fermer Kinoval puis le relancer pour changer de langue.</source>
        <translation>Close Kinoval, then start it again to change the language.</translation>
    </message>
    <message>
        <source>Ficher bitmap (*.bmp)</source>
        <translation>Bitmap file (*.bmp)</translation>
    </message>
    <message>
        <source>Fichier</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Fichier :</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>Fichier Kinoval (*.kvl)|*.kvl</source>
        <translation>Kinoval file (*.kvl)|*.kvl</translation>
    </message>
    <message>
        <source>Fichier image PNG (*.png)</source>
        <translation>PNG picture file (*.png)</translation>
    </message>
    <message>
        <source>Fichier vidéo</source>
        <translation>Video file</translation>
    </message>
    <message>
        <source>Fichier vidéo (%s)|%s|Fichier Kinoval (*.kvl)|*.kvl</source>
        <translation>Video file (%s)|%s|Kinoval file (*.kvl)|*.kvl</translation>
    </message>
    <message>
        <source>Fichiers &amp;récents</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>Fichiers images (*.png *.bmp)</source>
        <translation>Picture files (*.png *.bmp)</translation>
    </message>
    <message>
        <source>Fichiers récents</source>
        <translation>Recent files</translation>
    </message>
    <message>
        <source>Fin de la saisie</source>
        <translation>End of the input</translation>
    </message>
    <message>
        <source>Fonction sans argument.</source>
        <translation>Function without an argument.</translation>
    </message>
    <message>
        <source>Fonctions reconnues</source>
        <translation>Recognised functions</translation>
    </message>
    <message>
        <source>Fonctions réciproques</source>
        <translation>Inverse functions</translation>
    </message>
    <message>
        <source>Fonctions réciproques : ArcSin, ArcCos, ArcTan</source>
        <translation>Inverse functions: ArcSin, ArcCos, ArcTan</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Format des images</source>
        <translation>Picture format</translation>
    </message>
    <message>
        <source>Format des images : %s</source>
        <translation>Picture format: %s</translation>
    </message>
    <message>
        <source>Forme</source>
        <translation>Shape</translation>
    </message>
    <message>
        <source>Forme du contour</source>
        <translation>Shape of the outline</translation>
    </message>
    <message>
        <source>Forme du contour dans l&apos;atelier :</source>
        <translation>Shape of the outline in the workshop:</translation>
    </message>
    <message>
        <source>Forme du contour à suivre :</source>
        <translation>Shape of the outline to track:</translation>
    </message>
    <message>
        <source>Forme libre</source>
        <translation>Free shape</translation>
    </message>
    <message>
        <source>Formule</source>
        <translation>Formula</translation>
    </message>
    <message>
        <source>Formules</source>
        <translation>Formulas</translation>
    </message>
    <message>
        <source>Formules et constantes</source>
        <translation>Formulas and constants</translation>
    </message>
    <message>
        <source>Formules favorites</source>
        <translation>Favourite formulas</translation>
    </message>
    <message>
        <source>Formules identiques détectées (la comparaison ne tient pas compte de la casse) : %s.</source>
        <translation>Identical formulas found (the comparison ignores case): %s.</translation>
    </message>
    <message>
        <source>Formules personnelles</source>
        <translation>Personal formulas</translation>
    </message>
    <message>
        <source>Fréquence :</source>
        <translation>Frequency:</translation>
    </message>
    <message>
        <source>GStreamer</source>
        <translation>GStreamer</translation>
    </message>
    <message>
        <source>Glisser pour aller à une image</source>
        <translation>Drag to go to a frame</translation>
    </message>
    <message>
        <source>Grande</source>
        <translation>Large</translation>
    </message>
    <message>
        <source>Grandeur</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>Grandeurs polaires</source>
        <translation>Polar quantities</translation>
    </message>
    <message>
        <source>Graphe</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Graphes</source>
        <translation>Graphs</translation>
    </message>
    <message>
        <source>Graphes en fonction du t&amp;emps</source>
        <translation>Graphs against t&amp;ime</translation>
    </message>
    <message>
        <source>Graphes en fonction du temps</source>
        <translation>Graphs against time</translation>
    </message>
    <message>
        <source>Général</source>
        <translation>General</translation>
    </message>
    <message>
        <source>Hauteur</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>Hauteur (pixels) :</source>
        <translation>Height (pixels):</translation>
    </message>
    <message>
        <source>Hauteur :</source>
        <translation>Height:</translation>
    </message>
    <message>
        <source>Hauteur de l&apos;image en pixels : %d</source>
        <translation>Picture height in pixels: %d</translation>
    </message>
    <message>
        <source>Ignorer</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>Ignorer la sauvegarde et continuer</source>
        <translation>Ignore the backup and go on</translation>
    </message>
    <message>
        <source>Il faut modifier la durée entre les deux images qui encadrent l&apos;image manquante.</source>
        <translation>The time between the two frames around the missing frame must be changed.</translation>
    </message>
    <message>
        <source>Il manque une image dans le flux vidéo</source>
        <translation>A frame is missing in the video stream</translation>
    </message>
    <message>
        <source>Il n&apos;y a plus de place sur le disque.</source>
        <translation>There is no space left on the disk.</translation>
    </message>
    <message>
        <source>Il ne commence pas par la section « Main » d&apos;un travail.</source>
        <translation>It does not begin with the &quot;Main&quot; section of a study.</translation>
    </message>
    <message>
        <source>Image %s sur %s</source>
        <translation>Frame %s of %s</translation>
    </message>
    <message>
        <source>Image PNG (*.png);;Dessin SVG (*.svg)</source>
        <translation>PNG picture (*.png);;SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>Image de la vidéo</source>
        <translation>Video picture</translation>
    </message>
    <message>
        <source>Image manquante</source>
        <translation>Missing frame</translation>
    </message>
    <message>
        <source>Image précédente</source>
        <translation>Previous frame</translation>
    </message>
    <message>
        <source>Image suivante</source>
        <translation>Next frame</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>Images manquantes : %s</source>
        <translation>Missing frames: %s</translation>
    </message>
    <message>
        <source>Images par seconde :</source>
        <translation>Frames per second:</translation>
    </message>
    <message>
        <source>Images recadrées : %s</source>
        <translation>Cropped pictures: %s</translation>
    </message>
    <message>
        <source>Images redimensionnées : %s</source>
        <translation>Resized pictures: %s</translation>
    </message>
    <message>
        <source>Impossible d&apos;associer les études « .kvl » à Kinoval.</source>
        <translation>Cannot associate &quot;.kvl&quot; studies with Kinoval.</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer les paramètres dans « %s ».</source>
        <translation>Cannot save the settings in &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir ce fichier vidéo.</source>
        <translation>Cannot open this video file.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir ce fichier vidéo. Problèmes possibles et suggestions :</source>
        <translation>Cannot open this video file. Possible problems and suggestions:</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir ce fichier.</source>
        <translation>Cannot open this file.</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir un fichier vidéo pendant l&apos;enregistrement d&apos;une vidéo montée.</source>
        <translation>Cannot open a video file while an edited video is being recorded.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire le fichier %s</source>
        <translation>Cannot write the file %s</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire le fichier %s.</source>
        <translation>Cannot write the file %s.</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire le fichier image sur le disque</source>
        <translation>Cannot write the picture file to the disk</translation>
    </message>
    <message>
        <source>Impossible d&apos;écrire le fichier vidéo sur le disque</source>
        <translation>Cannot write the video file to the disk</translation>
    </message>
    <message>
        <source>Impossible de compresser le flux vidéo</source>
        <translation>Cannot compress the video stream</translation>
    </message>
    <message>
        <source>Impossible de créer le flux vidéo en mémoire</source>
        <translation>Cannot create the video stream in memory</translation>
    </message>
    <message>
        <source>Impossible de définir le format du flux vidéo</source>
        <translation>Cannot set the format of the video stream</translation>
    </message>
    <message>
        <source>Impossible de lancer l&apos;aide.</source>
        <translation>Cannot start the help.</translation>
    </message>
    <message>
        <source>Impossible de lire les paramètres dans « %s ».</source>
        <translation>Cannot read the settings in &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Impossible de remplacer le fichier du même nom (il est peut être ouvert par un autre programme)</source>
        <translation>Cannot replace the file of the same name (another program may have it open)</translation>
    </message>
    <message>
        <source>Imprimer</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>Incertitudes sur les ordonnées</source>
        <translation>Uncertainties on the ordinates</translation>
    </message>
    <message>
        <source>Incliner les vecteurs selon leur direction</source>
        <translation>Tilt the vectors along their direction</translation>
    </message>
    <message>
        <source>Inclure l&apos;origine sur l&apos;axe horizontal</source>
        <translation>Include the origin on the horizontal axis</translation>
    </message>
    <message>
        <source>Inclure l&apos;origine sur l&apos;axe vertical</source>
        <translation>Include the origin on the vertical axis</translation>
    </message>
    <message>
        <source>Indice i</source>
        <translation>Index i</translation>
    </message>
    <message>
        <source>Indice i+1</source>
        <translation>Index i+1</translation>
    </message>
    <message>
        <source>Indice i-1</source>
        <translation>Index i-1</translation>
    </message>
    <message>
        <source>Insérer des images vides dans la nouvelle vidéo pour les images manquantes du montage</source>
        <translation>Insert blank frames into the new video for the missing frames of the montage</translation>
    </message>
    <message>
        <source>Insérer une image d&apos;arrière plan</source>
        <translation>Insert a background picture</translation>
    </message>
    <message>
        <source>Interface : Qt %s</source>
        <translation>Interface: Qt %s</translation>
    </message>
    <message>
        <source>Inverse</source>
        <translation>Reciprocal</translation>
    </message>
    <message>
        <source>Inverser l&apos;axe &amp;X</source>
        <translation>Reverse the &amp;X axis</translation>
    </message>
    <message>
        <source>Inverser l&apos;axe &amp;Y</source>
        <translation>Reverse the &amp;Y axis</translation>
    </message>
    <message>
        <source>Kinoval sélectionne un cadre de travail (VFW, DS ou FFMpeg).</source>
        <translation>Kinoval selects a framework (VFW, DS or FFMpeg).</translation>
    </message>
    <message>
        <source>L&apos;image de la vidéo placée en arrière plan correspondant à la 1ère position de l&apos;objet.</source>
        <translation>The video picture placed in the background, that of the 1st position of the object.</translation>
    </message>
    <message>
        <source>L&apos;indice d&apos;une variable ou d&apos;une constante est placé entre crochets. Le crochet fermant est absent ou mal placé. Variable ou constante concernée : %s</source>
        <translation>The index of a variable or of a constant is written between square brackets. The closing bracket is missing or misplaced. Variable or constant concerned: %s</translation>
    </message>
    <message>
        <source>L&apos;indice d&apos;une variable ou d&apos;une constante est placée entre crochets. L&apos;indice entre crochets n&apos;est pas reconnu. Variable ou constante d&apos;indice incorrect : %s</source>
        <translation>The index of a variable or of a constant is written between square brackets. The index between the brackets is not recognised. Variable or constant with a wrong index: %s</translation>
    </message>
    <message>
        <source>L&apos;instant initial correspond à la première image visible du flux vidéo.</source>
        <translation>The initial instant is that of the first visible frame of the video stream.</translation>
    </message>
    <message>
        <source>L&apos;intervalle de temps entre deux images successives est T = %s s.</source>
        <translation>The time interval between two successive frames is T = %s s.</translation>
    </message>
    <message>
        <source>L&apos;unité de calcul a détecté une erreur. L&apos;opération en cours est annulée.</source>
        <translation>The calculation unit found an error. The current operation is cancelled.</translation>
    </message>
    <message>
        <source>L&apos;échelle</source>
        <translation>The scale</translation>
    </message>
    <message>
        <source>L&apos;écriture dans une cellule a échouée.</source>
        <translation>Writing into a cell failed.</translation>
    </message>
    <message>
        <source>La cadence des images de cette vidéo est illisible ou hors des limites du logiciel.</source>
        <translation>The frame rate of this video is unreadable or outside the limits of the program.</translation>
    </message>
    <message>
        <source>La capture a échoué. Le fichier n&apos;a pas été enregistré.</source>
        <translation>The capture failed. The file was not saved.</translation>
    </message>
    <message>
        <source>La capture peut démarrer après un délai et s&apos;arrêter d&apos;elle-même.</source>
        <translation>The capture can start after a delay and stop by itself.</translation>
    </message>
    <message>
        <source>La capture va démarrer dans %d seconde(s)</source>
        <translation>The capture will start in %d second(s)</translation>
    </message>
    <message>
        <source>La chaîne de caractères doit être constituée d&apos;un signe (facultatif), de chiffres, d&apos;un séparateur décimal (facultatif), puis d&apos;une mantisse (facultative).</source>
        <translation>The string of characters must be made of a sign (optional), digits, a decimal separator (optional), then an exponent (optional).</translation>
    </message>
    <message>
        <source>La connection avec Excel n&apos;a pas été établie.</source>
        <translation>The connection with Excel was not established.</translation>
    </message>
    <message>
        <source>La copie a été annulée car Regressi est introuvable.</source>
        <translation>The copy was cancelled because Regressi cannot be found.</translation>
    </message>
    <message>
        <source>La copie du fichier dans le presse-papier a échoué.</source>
        <translation>Copying the file to the clipboard failed.</translation>
    </message>
    <message>
        <source>La création du fichier dans le répertoire choisi a échoué.</source>
        <translation>Creating the file in the chosen folder failed.</translation>
    </message>
    <message>
        <source>La dernière marque</source>
        <translation>The last mark</translation>
    </message>
    <message>
        <source>La durée d&apos;affichage des images de cette vidéo est variable.</source>
        <translation>The display duration of the frames of this video varies.</translation>
    </message>
    <message>
        <source>La formule contient un caractère non autorisé ou inapproprié : %s</source>
        <translation>The formula contains a character that is not allowed or not appropriate: %s</translation>
    </message>
    <message>
        <source>La formule contient une variable ou une constante inconnue : %s</source>
        <translation>The formula contains an unknown variable or constant: %s</translation>
    </message>
    <message>
        <source>La formule est trop imbriquée (plus de %s niveaux de parenthèses ou d&apos;opérations).</source>
        <translation>The formula is nested too deeply (more than %s levels of brackets or operations).</translation>
    </message>
    <message>
        <source>La formule est vide.</source>
        <translation>The formula is empty.</translation>
    </message>
    <message>
        <source>La grandeur que représente la flèche ; taper une autre valeur change l&apos;échelle des vecteurs</source>
        <translation>The magnitude the arrow stands for; typing another value changes the vectors&apos; scale</translation>
    </message>
    <message>
        <source>La langue choisie sera celle de Kinoval à son prochain démarrage.</source>
        <translation>Kinoval will speak the chosen language from its next start.</translation>
    </message>
    <message>
        <source>La largeur et la hauteur des images doivent souvent être des multiples de 4.</source>
        <translation>The width and the height of the pictures must often be multiples of 4.</translation>
    </message>
    <message>
        <source>La largeur et la hauteur des images doivent être paires pour ce codeur.</source>
        <translation>The width and the height of the pictures must be even for this encoder.</translation>
    </message>
    <message>
        <source>La lecture de la vidéo a été interrompue.</source>
        <translation>Playback of the video was interrupted.</translation>
    </message>
    <message>
        <source>La liste des constantes est incomplète : %s constante(s) lue(s) sur %s annoncée(s).</source>
        <translation>The list of constants is incomplete: %s constant(s) read out of %s announced.</translation>
    </message>
    <message>
        <source>La liste des formules est incomplète : %s formule(s) lue(s) sur %s annoncée(s).</source>
        <translation>The list of formulas is incomplete: %s formula(s) read out of %s announced.</translation>
    </message>
    <message>
        <source>La liste des marques est incomplète : %s marque(s) lue(s) sur %s annoncée(s).</source>
        <translation>The list of marks is incomplete: %s mark(s) read out of %s announced.</translation>
    </message>
    <message>
        <source>La liste des positions du transparent est incomplète : %s position(s) lue(s) sur %s annoncée(s).</source>
        <translation>The list of positions of the transparent sheet is incomplete: %s position(s) read out of %s announced.</translation>
    </message>
    <message>
        <source>La mantisse comprend « E » ou « e » suivi d&apos;un signe (facultatif) et d&apos;un nombre entier.</source>
        <translation>The exponent is &quot;E&quot; or &quot;e&quot; followed by a sign (optional) and an integer.</translation>
    </message>
    <message>
        <source>La modification des formules n&apos;est pas permise (Options)</source>
        <translation>Changing the formulas is not allowed (Options)</translation>
    </message>
    <message>
        <source>La mémoire est insuffisante.</source>
        <translation>There is not enough memory.</translation>
    </message>
    <message>
        <source>La ressource est momentanément indisponible.</source>
        <translation>The resource is temporarily unavailable.</translation>
    </message>
    <message>
        <source>La sauvegarde du fichier a échoué.</source>
        <translation>Saving the file failed.</translation>
    </message>
    <message>
        <source>La séquence débute avec la dernière image de la vidéo (suivi inutile).</source>
        <translation>The sequence begins with the last frame of the video (tracking pointless).</translation>
    </message>
    <message>
        <source>La taille des images de cette vidéo (%s × %s pixels) n&apos;est pas utilisable.</source>
        <translation>The picture size of this video (%s × %s pixels) cannot be used.</translation>
    </message>
    <message>
        <source>La vidéo avance automatiquement d&apos;une ou plusieurs images après la pose de la dernière marque.</source>
        <translation>The video moves on by one or more frames automatically after the last mark is placed.</translation>
    </message>
    <message>
        <source>La vidéo n&apos;a pas la même taille d&apos;image que celle sur laquelle le travail a été pointé (%s × %s pixels au lieu de %s × %s).</source>
        <translation>The video does not have the same picture size as the one the study was marked on (%s × %s pixels instead of %s × %s).</translation>
    </message>
    <message>
        <source>La vidéo n&apos;a pas le même nombre d&apos;images que celle sur laquelle le travail a été pointé (%s au lieu de %s) : des marques peuvent ne plus tomber sur les bonnes images.</source>
        <translation>The video does not have the same number of frames as the one the study was marked on (%s instead of %s): some marks may no longer fall on the right frames.</translation>
    </message>
    <message>
        <source>La vitesse et l&apos;accélération sont calculées dans un référentiel lié au transparent</source>
        <translation>Velocity and acceleration are calculated in a frame of reference attached to the transparent sheet</translation>
    </message>
    <message>
        <source>La vitesse et l&apos;accélération sont calculées dans un référentiel lié à la caméra</source>
        <translation>Velocity and acceleration are calculated in a frame of reference attached to the camera</translation>
    </message>
    <message>
        <source>Lancer ou arrêter le suivi automatique</source>
        <translation>Start or stop the automatic tracking</translation>
    </message>
    <message>
        <source>Langue :</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Largeur</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Largeur (pixels) :</source>
        <translation>Width (pixels):</translation>
    </message>
    <message>
        <source>Largeur :</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Largeur de l&apos;image en pixels : %d</source>
        <translation>Picture width in pixels: %d</translation>
    </message>
    <message>
        <source>Le calcul d&apos;un arc cosinus a échoué.</source>
        <translation>Calculating an arc cosine failed.</translation>
    </message>
    <message>
        <source>Le calcul d&apos;un arc sinus a échoué.</source>
        <translation>Calculating an arc sine failed.</translation>
    </message>
    <message>
        <source>Le calcul d&apos;un cosinus a échoué.</source>
        <translation>Calculating a cosine failed.</translation>
    </message>
    <message>
        <source>Le calcul d&apos;un sinus a échoué.</source>
        <translation>Calculating a sine failed.</translation>
    </message>
    <message>
        <source>Le calcul d&apos;une arc tangente a échoué.</source>
        <translation>Calculating an arc tangent failed.</translation>
    </message>
    <message>
        <source>Le calcul d&apos;une exponentielle a échoué.</source>
        <translation>Calculating an exponential failed.</translation>
    </message>
    <message>
        <source>Le calcul d&apos;une puissance a échoué.</source>
        <translation>Calculating a power failed.</translation>
    </message>
    <message>
        <source>Le calcul d&apos;une tangente a échoué.</source>
        <translation>Calculating a tangent failed.</translation>
    </message>
    <message>
        <source>Le calcul de la vitesse ou de l&apos;accélération nécessite au moins cinq marques sur la trajectoire pour être fiable.</source>
        <translation>Calculating the velocity or the acceleration needs at least five marks on the trajectory to be reliable.</translation>
    </message>
    <message>
        <source>Le choix du codec nécessite souvent des tâtonnements.</source>
        <translation>Choosing the codec often takes trial and error.</translation>
    </message>
    <message>
        <source>Le classeur %s n&apos;a pas pu être écrit.</source>
        <translation>The workbook %s could not be written.</translation>
    </message>
    <message>
        <source>Le codeur n&apos;existe pas ou est indisponible</source>
        <translation>The encoder does not exist or is unavailable</translation>
    </message>
    <message>
        <source>Le décodeur de cette vidéo n&apos;a pas pu être ouvert : la vidéo est peut-être abîmée.</source>
        <translation>The decoder of this video could not be opened: the video may be damaged.</translation>
    </message>
    <message>
        <source>Le déplacement de l&apos;image dans son cadre n&apos;est possible que si le taux d&apos;agrandissement est supérieur à 100%.</source>
        <translation>Moving the picture within its frame is possible only when the magnification is above 100%.</translation>
    </message>
    <message>
        <source>Le fichier %s existe déjà.</source>
        <translation>The file %s already exists.</translation>
    </message>
    <message>
        <source>Le fichier a été enregistré avec succès :</source>
        <translation>The file was saved successfully:</translation>
    </message>
    <message>
        <source>Le fichier annonce %s image(s) pointée(s) et n&apos;en contient que %s.</source>
        <translation>The file announces %s marked frame(s) and holds only %s.</translation>
    </message>
    <message>
        <source>Le fichier dépasse la taille admise (%s Mo).</source>
        <translation>The file exceeds the allowed size (%s MB).</translation>
    </message>
    <message>
        <source>Le fichier est occupé par un autre programme.</source>
        <translation>The file is in use by another program.</translation>
    </message>
    <message>
        <source>Le fichier est trop volumineux.</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>Le fichier est vide : il ne contient aucune image.</source>
        <translation>The file is empty: it contains no frame.</translation>
    </message>
    <message>
        <source>Le fichier est vide.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>Le fichier n&apos;a pas été modifié.</source>
        <translation>The file was not changed.</translation>
    </message>
    <message>
        <source>Le fichier ne peut pas être déplacé d&apos;un support à un autre.</source>
        <translation>The file cannot be moved from one medium to another.</translation>
    </message>
    <message>
        <source>Le fichier ne peut pas être lu : les droits d&apos;accès ne le permettent pas.</source>
        <translation>The file cannot be read: the access rights do not allow it.</translation>
    </message>
    <message>
        <source>Le fichier porte l&apos;extension BMP.</source>
        <translation>The file has the extension BMP.</translation>
    </message>
    <message>
        <source>Le fichier porte l&apos;extension CSV.</source>
        <translation>The file has the extension CSV.</translation>
    </message>
    <message>
        <source>Le fichier porte l&apos;extension PNG.</source>
        <translation>The file has the extension PNG.</translation>
    </message>
    <message>
        <source>Le fichier porte l&apos;extension TXT.</source>
        <translation>The file has the extension TXT.</translation>
    </message>
    <message>
        <source>Le fichier vidéo de ce travail est introuvable.</source>
        <translation>The video file of this study cannot be found.</translation>
    </message>
    <message>
        <source>Le fichier vidéo de ce travail existe, mais il n&apos;a pas pu être ouvert :</source>
        <translation>The video file of this study exists, but it could not be opened:</translation>
    </message>
    <message>
        <source>Le format de ce fichier n&apos;est pas reconnu : ce n&apos;est pas une vidéo, ou elle est abîmée.</source>
        <translation>The format of this file is not recognised: it is not a video, or it is damaged.</translation>
    </message>
    <message>
        <source>Le groupe d&apos;images à %s est incorrect</source>
        <translation>The group of frames at %s is wrong</translation>
    </message>
    <message>
        <source>Le logiciel s&apos;est arrêté avant que ce travail soit enregistré.</source>
        <translation>The program stopped before this study was saved.</translation>
    </message>
    <message>
        <source>Le milieu du transparent suit les positions</source>
        <translation>The middle of the transparent sheet follows the positions</translation>
    </message>
    <message>
        <source>Le montage enregistré (images cachées, instants corrigés) est abîmé : il a été ignoré.</source>
        <translation>The saved montage (hidden frames, corrected instants) is damaged: it was ignored.</translation>
    </message>
    <message>
        <source>Le montage enregistré a été fait sur une vidéo d&apos;un autre nombre d&apos;images : il a été ignoré.</source>
        <translation>The saved montage was made on a video with another number of frames: it was ignored.</translation>
    </message>
    <message>
        <source>Le nom d&apos;un objet est attribué par défaut (« Point n°1 » par exemple).</source>
        <translation>An object&apos;s name is given by default (&quot;Point no. 1&quot; for example).</translation>
    </message>
    <message>
        <source>Le nom de la formule, « = », puis l&apos;expression : Ec = 0,5*m*v^2</source>
        <translation>The name of the formula, &quot;=&quot;, then the expression: Ek = 0.5*m*v^2</translation>
    </message>
    <message>
        <source>Le nom de la vidéo contient un retour à la ligne, qu&apos;un fichier de travail ne peut pas garder : %s</source>
        <translation>The name of the video contains a line break, which a study file cannot keep: %s</translation>
    </message>
    <message>
        <source>Le nom du fichier est trop long.</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>Le nombre d&apos;images par seconde doit être compris entre 0,1 et 1000.</source>
        <translation>The number of frames per second must lie between 0.1 and 1000.</translation>
    </message>
    <message>
        <source>Le nombre d&apos;objets suivis par image (%s) est hors des limites (1 à %s) : un seul objet est suivi.</source>
        <translation>The number of objects tracked per frame (%s) is outside the limits (1 to %s): a single object is tracked.</translation>
    </message>
    <message>
        <source>Le nombre est trop grand ou trop petit</source>
        <translation>The number is too large or too small</translation>
    </message>
    <message>
        <source>Le numéro de la première image du suivi est incorrect.</source>
        <translation>The number of the first frame of the tracking is wrong.</translation>
    </message>
    <message>
        <source>Le périphérique de capture choisi ne fonctionne pas.</source>
        <translation>The chosen capture device does not work.</translation>
    </message>
    <message>
        <source>Le périphérique n&apos;existe pas.</source>
        <translation>The device does not exist.</translation>
    </message>
    <message>
        <source>Le quota d&apos;espace disque est dépassé.</source>
        <translation>The disk quota is exceeded.</translation>
    </message>
    <message>
        <source>Le repère</source>
        <translation>The frame of reference</translation>
    </message>
    <message>
        <source>Le réglage des options est protégé par un mot de passe.</source>
        <translation>The settings are protected by a password.</translation>
    </message>
    <message>
        <source>Le résultat d&apos;un calcul est un nombre trop grand ou trop petit.</source>
        <translation>The result of a calculation is a number too large or too small.</translation>
    </message>
    <message>
        <source>Le résultat du copier-coller risque d&apos;être aléatoire.</source>
        <translation>The result of the copy and paste may be unpredictable.</translation>
    </message>
    <message>
        <source>Le suivi s&apos;est arrêté à l&apos;image %s : %s.</source>
        <translation>The tracking stopped at frame %s: %s.</translation>
    </message>
    <message>
        <source>Le support est en lecture seule.</source>
        <translation>The medium is read-only.</translation>
    </message>
    <message>
        <source>Le tableau a été copié dans le presse-papier : lancez Regressi vous-même et collez-le (Ctrl + V).</source>
        <translation>The table was copied to the clipboard: start Regressi yourself and paste it (Ctrl + V).</translation>
    </message>
    <message>
        <source>Le tableau a été copié dans le presse-papier.</source>
        <translation>The table was copied to the clipboard.</translation>
    </message>
    <message>
        <source>Le tableau contient des valeurs non définies.</source>
        <translation>The table contains undefined values.</translation>
    </message>
    <message>
        <source>Le tableur n&apos;a pas pu être ouvert.</source>
        <translation>The spreadsheet could not be opened.</translation>
    </message>
    <message>
        <source>Le temps de chaque marque est l&apos;instant de son image dans le fichier vidéo, compté depuis la première image pointée ; les vitesses et les accélérations suivent ces instants.</source>
        <translation>The time of each mark is the instant of its frame in the video file, counted from the first marked frame; the velocities and accelerations follow these instants.</translation>
    </message>
    <message>
        <source>Le temps des mesures peut suivre l&apos;instant de chaque image : cocher « %s » dans « Mesures », « Temps entre deux images... ».</source>
        <translation>The time of the measurements can follow the instant of each frame: tick &quot;%s&quot; in &quot;Measurements&quot;, &quot;Time between two frames...&quot;.</translation>
    </message>
    <message>
        <source>Le travail annonce %s constantes, plus que les %s que le logiciel accepte : seules les premières sont lues.</source>
        <translation>The study announces %s constants, more than the %s the program accepts: only the first ones are read.</translation>
    </message>
    <message>
        <source>Le travail annonce %s formules, plus que les %s que le logiciel accepte : seules les premières sont lues.</source>
        <translation>The study announces %s formulas, more than the %s the program accepts: only the first ones are read.</translation>
    </message>
    <message>
        <source>Le travail en cours n&apos;a pas été modifié.</source>
        <translation>The current study has not been changed.</translation>
    </message>
    <message>
        <source>Lecteur :</source>
        <translation>Player:</translation>
    </message>
    <message>
        <source>Lecture</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Lecture stoppée.</source>
        <translation>Playback stopped.</translation>
    </message>
    <message>
        <source>Les bibliothèques « FFmpeg » installées sur le disque dur sont trop anciennes.</source>
        <translation>The &quot;FFmpeg&quot; libraries installed on the hard disk are too old.</translation>
    </message>
    <message>
        <source>Les bibliothèques « FFmpeg » ne sont pas installées sur le disque dur.</source>
        <translation>The &quot;FFmpeg&quot; libraries are not installed on the hard disk.</translation>
    </message>
    <message>
        <source>Les dernières marques...</source>
        <translation>The last marks...</translation>
    </message>
    <message>
        <source>Les deux saisies du mot de passe sont différentes.</source>
        <translation>The two entries of the password differ.</translation>
    </message>
    <message>
        <source>Les différents codecs ne sont pas normalisés. Ils sont évolutifs et présentent des versions successives.</source>
        <translation>The various codecs are not standardised. They evolve and come in successive versions.</translation>
    </message>
    <message>
        <source>Les fichiers images ont été enregistrés avec succès.</source>
        <translation>The picture files were saved successfully.</translation>
    </message>
    <message>
        <source>Les formules se saisissent par Calculs &gt; Saisir des formules ou des constantes</source>
        <translation>Formulas are typed in Calculations &gt; Type formulas or constants</translation>
    </message>
    <message>
        <source>Les images d&apos;un objet à différentes positions peuvent être dessinées :</source>
        <translation>The pictures of an object at its different positions can be drawn:</translation>
    </message>
    <message>
        <source>Les images de la vidéo masquées lors du montage ne seront pas converties en images fixes</source>
        <translation>The video frames hidden in the montage will not be converted into still pictures</translation>
    </message>
    <message>
        <source>Les images masquées apparaissent en négatif dans le montage.</source>
        <translation>Hidden frames appear in negative in the montage.</translation>
    </message>
    <message>
        <source>Les marques</source>
        <translation>The marks</translation>
    </message>
    <message>
        <source>Les marques du transparent</source>
        <translation>The marks of the transparent sheet</translation>
    </message>
    <message>
        <source>Les marques posées sur cette image seront effacées.</source>
        <translation>The marks placed on this frame will be erased.</translation>
    </message>
    <message>
        <source>Les marques posées sur les images masquées seront supprimées</source>
        <translation>The marks placed on the hidden frames will be deleted</translation>
    </message>
    <message>
        <source>Les mesures ont été chargées, mais sans les images.</source>
        <translation>The measurements were loaded, but without the pictures.</translation>
    </message>
    <message>
        <source>Les mesures ont été chargées, mais sans les images. Remettre la vidéo à sa place, puis rouvrir le travail.</source>
        <translation>The measurements were loaded, but without the pictures. Put the video back in its place, then open the study again.</translation>
    </message>
    <message>
        <source>Les noms seront utilisés pour clarifier les résultats</source>
        <translation>The names will be used to make the results clearer</translation>
    </message>
    <message>
        <source>Les nouvelles marques remplaceront celles éventuellement déjà posées.</source>
        <translation>The new marks will replace those that may already be placed.</translation>
    </message>
    <message>
        <source>Les paramètres par défaut sont utilisés ; le fichier est laissé tel quel.</source>
        <translation>The default settings are used; the file is left as it is.</translation>
    </message>
    <message>
        <source>Les positions obtenues jusque-là sont conservées.</source>
        <translation>The positions found so far are kept.</translation>
    </message>
    <message>
        <source>Les référentiels sont en translation les uns par rapport aux autres</source>
        <translation>The frames of reference are in translation relative to one another</translation>
    </message>
    <message>
        <source>Les éléments des colonnes sont séparés par des tabulations</source>
        <translation>The items of the columns are separated by tabs</translation>
    </message>
    <message>
        <source>LibreOffice Calc (soffice) est introuvable sur cet ordinateur.</source>
        <translation>LibreOffice Calc (soffice) cannot be found on this computer.</translation>
    </message>
    <message>
        <source>Ligne libre</source>
        <translation>Free line</translation>
    </message>
    <message>
        <source>Lire la vidéo (Espace)</source>
        <translation>Play the video (Space)</translation>
    </message>
    <message>
        <source>Lisser la trajectoire par une spline</source>
        <translation>Smooth the trajectory with a spline</translation>
    </message>
    <message>
        <source>Lisser le calcul de l&apos;accélération</source>
        <translation>Smooth the calculation of the acceleration</translation>
    </message>
    <message>
        <source>Lisser le calcul de la vitesse</source>
        <translation>Smooth the calculation of the velocity</translation>
    </message>
    <message>
        <source>Lisser les valeurs de l&apos;accélération</source>
        <translation>Smooth the values of the acceleration</translation>
    </message>
    <message>
        <source>Lisser les valeurs de la vitesse</source>
        <translation>Smooth the values of the velocity</translation>
    </message>
    <message>
        <source>Logarithme décimal</source>
        <translation>Decimal logarithm</translation>
    </message>
    <message>
        <source>Logarithme népérien</source>
        <translation>Natural logarithm</translation>
    </message>
    <message>
        <source>Longueur de l&apos;arc de cercle</source>
        <translation>Length of the arc</translation>
    </message>
    <message>
        <source>Longueur de l&apos;échelle &amp;horizontale...</source>
        <translation>Length of the &amp;horizontal scale...</translation>
    </message>
    <message>
        <source>Longueur de l&apos;échelle &amp;verticale...</source>
        <translation>Length of the &amp;vertical scale...</translation>
    </message>
    <message>
        <source>Longueur de la courbe</source>
        <translation>Length of the curve</translation>
    </message>
    <message>
        <source>Longueur du demi grand axe</source>
        <translation>Length of the semi-major axis</translation>
    </message>
    <message>
        <source>Longueur du demi petit axe</source>
        <translation>Length of the semi-minor axis</translation>
    </message>
    <message>
        <source>Longueur du rayon</source>
        <translation>Length of the radius</translation>
    </message>
    <message>
        <source>Longueur du segment</source>
        <translation>Length of the segment</translation>
    </message>
    <message>
        <source>Longueur du segment en mètre(s)</source>
        <translation>Length of the segment in metre(s)</translation>
    </message>
    <message>
        <source>Maj (ou Shift) + touche de direction : sélectionner plusieurs éléments contigus</source>
        <translation>Shift + arrow key: select several adjacent elements</translation>
    </message>
    <message>
        <source>Marque</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>Marques</source>
        <translation>Marks</translation>
    </message>
    <message>
        <source>Marques de chaque objet...</source>
        <translation>Marks of each object...</translation>
    </message>
    <message>
        <source>Masquer / afficher</source>
        <translation>Hide / show</translation>
    </message>
    <message>
        <source>Masquer l&apos;image courante, ou l&apos;afficher de nouveau si elle est masquée</source>
        <translation>Hide the current frame, or show it again if it is hidden</translation>
    </message>
    <message>
        <source>Masquer les images</source>
        <translation>Hide the frames</translation>
    </message>
    <message>
        <source>Matériel</source>
        <translation>Hardware</translation>
    </message>
    <message>
        <source>Mesure du mouvement sur une vidéo, pour l&apos;enseignement de la physique.</source>
        <translation>Measuring motion on a video, for physics teaching.</translation>
    </message>
    <message>
        <source>Mesurer un angle</source>
        <translation>Measure an angle</translation>
    </message>
    <message>
        <source>Mesurer un angle : cliquer un point de la première droite, le sommet, puis un point de la seconde</source>
        <translation>Measure an angle: click a point of the first line, the vertex, then a point of the second</translation>
    </message>
    <message>
        <source>Mesurer une longueur</source>
        <translation>Measure a length</translation>
    </message>
    <message>
        <source>Minuterie</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>Modes</source>
        <translation>Modes</translation>
    </message>
    <message>
        <source>Modes proposés</source>
        <translation>Modes offered</translation>
    </message>
    <message>
        <source>Modificateur du modèle</source>
        <translation>Model adjuster</translation>
    </message>
    <message>
        <source>Modifier</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Modifier la cadence des images</source>
        <translation>Change the frame rate</translation>
    </message>
    <message>
        <source>Modifier la courbe du modèle</source>
        <translation>Adjust the curve of the model</translation>
    </message>
    <message>
        <source>Modifier la courbe du modèle avec la souris</source>
        <translation>Adjust the curve of the model with the mouse</translation>
    </message>
    <message>
        <source>Modifier le nom et la couleur de chaque marque</source>
        <translation>Change the name and the colour of each mark</translation>
    </message>
    <message>
        <source>Modifier le nom, la valeur ou l&apos;unité d&apos;une constante</source>
        <translation>Change the name, the value or the unit of a constant</translation>
    </message>
    <message>
        <source>Modifier les images</source>
        <translation>Change the pictures</translation>
    </message>
    <message>
        <source>Modifier une formule, son commentaire ou son unité</source>
        <translation>Change a formula, its comment or its unit</translation>
    </message>
    <message>
        <source>Modèle</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>Modèle affine</source>
        <translation>Affine model</translation>
    </message>
    <message>
        <source>Modèle constant</source>
        <translation>Constant model</translation>
    </message>
    <message>
        <source>Modèle exponentiel</source>
        <translation>Exponential model</translation>
    </message>
    <message>
        <source>Modèle linéaire</source>
        <translation>Linear model</translation>
    </message>
    <message>
        <source>Modèle parabolique</source>
        <translation>Parabolic model</translation>
    </message>
    <message>
        <source>Modèle sinusoïdal</source>
        <translation>Sinusoidal model</translation>
    </message>
    <message>
        <source>Modèle sinusoïdal amorti</source>
        <translation>Damped sinusoidal model</translation>
    </message>
    <message>
        <source>Modèles</source>
        <translation>Models</translation>
    </message>
    <message>
        <source>Modélisation</source>
        <translation>Modelling</translation>
    </message>
    <message>
        <source>Modéliser par une droite</source>
        <translation>Model with a straight line</translation>
    </message>
    <message>
        <source>Modéliser par une droite passant par l&apos;origine</source>
        <translation>Model with a straight line through the origin</translation>
    </message>
    <message>
        <source>Modéliser par une exponentielle</source>
        <translation>Model with an exponential</translation>
    </message>
    <message>
        <source>Modéliser par une parabole d&apos;axe vertical</source>
        <translation>Model with a parabola with a vertical axis</translation>
    </message>
    <message>
        <source>Modéliser par une sinusoïde</source>
        <translation>Model with a sinusoid</translation>
    </message>
    <message>
        <source>Modéliser par une sinusoïde amortie (amortissement exponentiel)</source>
        <translation>Model with a damped sinusoid (exponential damping)</translation>
    </message>
    <message>
        <source>Modéliser par une sinusoïde amortie (amortissement linéaire)</source>
        <translation>Model with a damped sinusoid (linear damping)</translation>
    </message>
    <message>
        <source>Modéliser par une valeur constante</source>
        <translation>Model with a constant value</translation>
    </message>
    <message>
        <source>Montage</source>
        <translation>Montage</translation>
    </message>
    <message>
        <source>Montage de la vidéo</source>
        <translation>Montage of the video</translation>
    </message>
    <message>
        <source>Montrer l&apos;accélération dans les résultats</source>
        <translation>Show the acceleration in the results</translation>
    </message>
    <message>
        <source>Montrer la vitesse dans les résultats</source>
        <translation>Show the velocity in the results</translation>
    </message>
    <message>
        <source>Montrer le rayon de recherche pendant le suivi</source>
        <translation>Show the search radius during tracking</translation>
    </message>
    <message>
        <source>Mot de passe</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Mot de passe (vide : options accessibles à tous)</source>
        <translation>Password (empty: settings open to everyone)</translation>
    </message>
    <message>
        <source>Mot de passe :</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Mot de passe incorrect.</source>
        <translation>Wrong password.</translation>
    </message>
    <message>
        <source>Motif</source>
        <translation>Pattern</translation>
    </message>
    <message>
        <source>Moyenne</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Multiplier</source>
        <translation>Multiply</translation>
    </message>
    <message>
        <source>Méthode :</source>
        <translation>Method:</translation>
    </message>
    <message>
        <source>Méthode de suivi</source>
        <translation>Tracking method</translation>
    </message>
    <message>
        <source>Méthode de suivi : par les couleurs de l&apos;objet ou par son motif</source>
        <translation>Tracking method: by the colours of the object or by its pattern</translation>
    </message>
    <message>
        <source>Navigation</source>
        <translation>Navigation</translation>
    </message>
    <message>
        <source>Ne pas ajouter les études enregistrées à la liste des fichiers récents</source>
        <translation>Do not add saved studies to the list of recent files</translation>
    </message>
    <message>
        <source>Ne pas oublier l&apos;article devant le nom</source>
        <translation>Do not forget the article before the name</translation>
    </message>
    <message>
        <source>Ne pas restaurer</source>
        <translation>Do not restore</translation>
    </message>
    <message>
        <source>Ne plus afficher cette boîte de dialogue</source>
        <translation>Do not show this dialog box again</translation>
    </message>
    <message>
        <source>Ne plus montrer de modèle sur les courbes</source>
        <translation>Show no model on the curves any more</translation>
    </message>
    <message>
        <source>Nom</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Nom de la constante</source>
        <translation>Name of the constant</translation>
    </message>
    <message>
        <source>Nom de variable déjà utilisé dans une colonne cachée : %s</source>
        <translation>Variable name already used in a hidden column: %s</translation>
    </message>
    <message>
        <source>Nom déjà utilisé (la comparaison ne tient pas compte de la casse). Variable ou constante répétée : %s</source>
        <translation>Name already used (the comparison ignores case). Repeated variable or constant: %s</translation>
    </message>
    <message>
        <source>Nom identique à celui d&apos;une variable prédéfinie (la comparaison ne tient pas compte de la casse). Variable concernée : %s</source>
        <translation>Same name as a predefined variable (the comparison ignores case). Variable concerned: %s</translation>
    </message>
    <message>
        <source>Nombre d&apos;&amp;images entre deux marques</source>
        <translation>Number of &amp;frames between two marks</translation>
    </message>
    <message>
        <source>Nombre d&apos;image(s) à faire avancer</source>
        <translation>Number of frame(s) to move on</translation>
    </message>
    <message>
        <source>Nombre d&apos;images :</source>
        <translation>Number of frames:</translation>
    </message>
    <message>
        <source>Nombre d&apos;images capturées :</source>
        <translation>Number of frames captured:</translation>
    </message>
    <message>
        <source>Nombre d&apos;images par seconde</source>
        <translation>Number of frames per second</translation>
    </message>
    <message>
        <source>Nombre d&apos;images par seconde :</source>
        <translation>Number of frames per second:</translation>
    </message>
    <message>
        <source>Nombre d&apos;images par seconde : %.3g</source>
        <translation>Number of frames per second: %.3g</translation>
    </message>
    <message>
        <source>Nombre d&apos;images par seconde demandé au périphérique. La vidéo enregistrée indique la cadence réellement obtenue.</source>
        <translation>Number of frames per second asked of the device. The recorded video gives the rate actually obtained.</translation>
    </message>
    <message>
        <source>Nombre d&apos;images perdues :</source>
        <translation>Number of frames lost:</translation>
    </message>
    <message>
        <source>Nombre d&apos;images séparant deux images clé</source>
        <translation>Number of frames between two key frames</translation>
    </message>
    <message>
        <source>Nombre d&apos;images séparant deux images clé :</source>
        <translation>Number of frames between two key frames:</translation>
    </message>
    <message>
        <source>Nombre d&apos;images séparant deux marques semblables</source>
        <translation>Number of frames between two similar marks</translation>
    </message>
    <message>
        <source>Nombre de &amp;marques par image</source>
        <translation>Number of &amp;marks per frame</translation>
    </message>
    <message>
        <source>Nombre de fichiers récents :</source>
        <translation>Number of recent files:</translation>
    </message>
    <message>
        <source>Nombre de marque(s) à dessiner</source>
        <translation>Number of mark(s) to draw</translation>
    </message>
    <message>
        <source>Nombre de marques par image</source>
        <translation>Number of marks per frame</translation>
    </message>
    <message>
        <source>Nombre incorrect : %s</source>
        <translation>Wrong number: %s</translation>
    </message>
    <message>
        <source>Nombre total d&apos;images : %d</source>
        <translation>Total number of frames: %d</translation>
    </message>
    <message>
        <source>Noms et c&amp;ouleurs des objets...</source>
        <translation>Names and c&amp;olours of the objects...</translation>
    </message>
    <message>
        <source>Noms et couleurs</source>
        <translation>Names and colours</translation>
    </message>
    <message>
        <source>Nouvelle formule</source>
        <translation>New formula</translation>
    </message>
    <message>
        <source>Numéro de l&apos;image</source>
        <translation>Frame number</translation>
    </message>
    <message>
        <source>Numéro de l&apos;image (cliquer pour aller à une image)</source>
        <translation>Frame number (click to go to a frame)</translation>
    </message>
    <message>
        <source>Numéro de l&apos;objet à suivre</source>
        <translation>Number of the object to track</translation>
    </message>
    <message>
        <source>Numéro de la dernière image de la séquence</source>
        <translation>Number of the last frame of the sequence</translation>
    </message>
    <message>
        <source>Numéro de la marque</source>
        <translation>Number of the mark</translation>
    </message>
    <message>
        <source>Numéro de la nouvelle image</source>
        <translation>Number of the new frame</translation>
    </message>
    <message>
        <source>Numéros des marques (repère fixe) :</source>
        <translation>Mark numbers (fixed frame of reference):</translation>
    </message>
    <message>
        <source>Numéros des marques (transparent) :</source>
        <translation>Mark numbers (transparent sheet):</translation>
    </message>
    <message>
        <source>Numérotation</source>
        <translation>Numbering</translation>
    </message>
    <message>
        <source>Numéroter les marques à partir de zéro (à partir de un par défaut)</source>
        <translation>Number the marks from zero (from one by default)</translation>
    </message>
    <message>
        <source>Numéroter les positions</source>
        <translation>Number the positions</translation>
    </message>
    <message>
        <source>N°</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>O&amp;ptions...</source>
        <translation>O&amp;ptions...</translation>
    </message>
    <message>
        <source>Objet</source>
        <translation>Object</translation>
    </message>
    <message>
        <source>Objet perdu à l&apos;image %s</source>
        <translation>Object lost at frame %s</translation>
    </message>
    <message>
        <source>Objet à pointer</source>
        <translation>Object to mark</translation>
    </message>
    <message>
        <source>Objet à suivre</source>
        <translation>Object to track</translation>
    </message>
    <message>
        <source>Objets</source>
        <translation>Objects</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Opérandes sans opérateur.</source>
        <translation>Operands without an operator.</translation>
    </message>
    <message>
        <source>Opérateur sans opérande(s) : %s</source>
        <translation>Operator without operand(s): %s</translation>
    </message>
    <message>
        <source>Opération annulée.</source>
        <translation>Operation cancelled.</translation>
    </message>
    <message>
        <source>Opération non permise.</source>
        <translation>Operation not allowed.</translation>
    </message>
    <message>
        <source>Ordonnée</source>
        <translation>Ordinate</translation>
    </message>
    <message>
        <source>Origine</source>
        <translation>Origin</translation>
    </message>
    <message>
        <source>Origine et axes</source>
        <translation>Origin and axes</translation>
    </message>
    <message>
        <source>Outils</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>Outils de mesure</source>
        <translation>Measuring tools</translation>
    </message>
    <message>
        <source>Outils du graphe</source>
        <translation>Graph tools</translation>
    </message>
    <message>
        <source>Outils enfoncés à l&apos;ouverture de la fenêtre des résultats</source>
        <translation>Tools pressed when the results window opens</translation>
    </message>
    <message>
        <source>Ouvrir d&apos;abord un fichier vidéo.</source>
        <translation>First open a video file.</translation>
    </message>
    <message>
        <source>Ouvrir les études « .kvl » avec Kinoval</source>
        <translation>Open &quot;.kvl&quot; studies with Kinoval</translation>
    </message>
    <message>
        <source>Ouvrir un fichier vidéo</source>
        <translation>Open a video file</translation>
    </message>
    <message>
        <source>Ouvrir un fichier vidéo (menu Fichier)</source>
        <translation>Open a video file (File menu)</translation>
    </message>
    <message>
        <source>Ouvrir, au prélable, un fichier vidéo</source>
        <translation>First open a video file</translation>
    </message>
    <message>
        <source>Page d&apos;aide</source>
        <translation>Help page</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Par souci de clarté, on ne peut poser qu&apos;une marque par image sur le transparent.</source>
        <translation>For clarity, only one mark per frame can be placed on the transparent sheet.</translation>
    </message>
    <message>
        <source>Parabole</source>
        <translation>Parabola</translation>
    </message>
    <message>
        <source>Paranthèses vides.</source>
        <translation>Empty brackets.</translation>
    </message>
    <message>
        <source>Parenthèse fermante</source>
        <translation>Closing bracket</translation>
    </message>
    <message>
        <source>Parenthèse ouvrante</source>
        <translation>Opening bracket</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Permettre la modification des formules</source>
        <translation>Allow the formulas to be changed</translation>
    </message>
    <message>
        <source>Permission refusée.</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <source>Petite</source>
        <translation>Small</translation>
    </message>
    <message>
        <source>Pi</source>
        <translation>Pi</translation>
    </message>
    <message>
        <source>Pivoter</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>Pointage</source>
        <translation>Marking</translation>
    </message>
    <message>
        <source>Pointage des positions, étalonnage, tableaux, graphes et modélisation.</source>
        <translation>Marking of positions, calibration, tables, graphs and modelling.</translation>
    </message>
    <message>
        <source>Pointer dans le repère de la caméra</source>
        <translation>Mark in the frame of reference of the camera</translation>
    </message>
    <message>
        <source>Pointer sur un transparent mobile</source>
        <translation>Mark on a moving transparent sheet</translation>
    </message>
    <message>
        <source>Polygone</source>
        <translation>Polygon</translation>
    </message>
    <message>
        <source>Poser</source>
        <translation>Place</translation>
    </message>
    <message>
        <source>Poser des marques</source>
        <translation>Place marks</translation>
    </message>
    <message>
        <source>Poser, au préalable, au moins trois marques par objet.</source>
        <translation>First place at least three marks per object.</translation>
    </message>
    <message>
        <source>Poser, au préalable, au moins trois marques sur la trajectoire.</source>
        <translation>First place at least three marks on the trajectory.</translation>
    </message>
    <message>
        <source>Poser, au préalable, l&apos;origine d&apos;un repère.</source>
        <translation>First place the origin of a frame of reference.</translation>
    </message>
    <message>
        <source>Position dans la vidéo</source>
        <translation>Position in the video</translation>
    </message>
    <message>
        <source>Pour poursuivre, redessiner le contour de l&apos;objet sur cette image (ou sur une image où il est visible), puis relancer le suivi.</source>
        <translation>To go on, draw the outline of the object again on this frame (or on a frame where it is visible), then start the tracking again.</translation>
    </message>
    <message>
        <source>Pour rendre les résultats plus clairs, il est fortement recommandé de nommer l&apos;objet de manière plus explicite.</source>
        <translation>To make the results clearer, naming the object more explicitly is strongly recommended.</translation>
    </message>
    <message>
        <source>Pratique : se positionner immédiatement après l&apos;image manquante</source>
        <translation>Tip: go to the frame right after the missing frame</translation>
    </message>
    <message>
        <source>Première image</source>
        <translation>First frame</translation>
    </message>
    <message>
        <source>Processus abandonné</source>
        <translation>Process abandoned</translation>
    </message>
    <message>
        <source>Progression de l&apos;enregistrement</source>
        <translation>Recording progress</translation>
    </message>
    <message>
        <source>Proposer d&apos;enregistrer l&apos;étude avant d&apos;ouvrir une autre vidéo</source>
        <translation>Offer to save the study before opening another video</translation>
    </message>
    <message>
        <source>Proposer d&apos;enregistrer l&apos;étude avant de quitter le logiciel</source>
        <translation>Offer to save the study before quitting the program</translation>
    </message>
    <message>
        <source>Proposer l&apos;atelier vidéo</source>
        <translation>Offer the video workshop</translation>
    </message>
    <message>
        <source>Proposer la capture vidéo</source>
        <translation>Offer video capture</translation>
    </message>
    <message>
        <source>Proposer le montage</source>
        <translation>Offer the montage</translation>
    </message>
    <message>
        <source>Proposer le suivi automatique</source>
        <translation>Offer automatic tracking</translation>
    </message>
    <message>
        <source>Propriétés de la vidéo</source>
        <translation>Video properties</translation>
    </message>
    <message>
        <source>Près du bord gauche : un chiffre de moins ; près du bord droit : un chiffre de plus ; ailleurs : cacher la colonne</source>
        <translation>Near the left edge: one digit less; near the right edge: one digit more; elsewhere: hide the column</translation>
    </message>
    <message>
        <source>Précédente</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>Puissance</source>
        <translation>Power</translation>
    </message>
    <message>
        <source>Puissance de dix</source>
        <translation>Power of ten</translation>
    </message>
    <message>
        <source>Puissance de dix de l&apos;écriture scientifique</source>
        <translation>Power of ten of scientific notation</translation>
    </message>
    <message>
        <source>Périphérique de capture</source>
        <translation>Capture device</translation>
    </message>
    <message>
        <source>Qualité de la compression</source>
        <translation>Compression quality</translation>
    </message>
    <message>
        <source>Qualité de la compression :</source>
        <translation>Compression quality:</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Quitter immédiatement le logiciel</source>
        <translation>Quit the program at once</translation>
    </message>
    <message>
        <source>Racine carrée</source>
        <translation>Square root</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>Radians</translation>
    </message>
    <message>
        <source>Rayon</source>
        <translation>Radius</translation>
    </message>
    <message>
        <source>Rayon de la zone de recherche en pixel(s)</source>
        <translation>Radius of the search area in pixel(s)</translation>
    </message>
    <message>
        <source>Rayon de recherche</source>
        <translation>Search radius</translation>
    </message>
    <message>
        <source>Rayon de recherche du suivi (pixels) :</source>
        <translation>Search radius of the tracking (pixels):</translation>
    </message>
    <message>
        <source>Recadrer</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>Recadrer en bas (pixels) :</source>
        <translation>Crop at the bottom (pixels):</translation>
    </message>
    <message>
        <source>Recadrer en haut (pixels) :</source>
        <translation>Crop at the top (pixels):</translation>
    </message>
    <message>
        <source>Recadrer à gauche et à droite (pixels) :</source>
        <translation>Crop left and right (pixels):</translation>
    </message>
    <message>
        <source>Rechercher Regressi.exe</source>
        <translation>Find Regressi.exe</translation>
    </message>
    <message>
        <source>Rechercher une image avec son numéro</source>
        <translation>Find a frame by its number</translation>
    </message>
    <message>
        <source>Redessiner le contour de l&apos;objet sur cette image, puis relancer le suivi</source>
        <translation>Draw the outline of the object again on this frame, then start the tracking again</translation>
    </message>
    <message>
        <source>Redimensionner</source>
        <translation>Resize</translation>
    </message>
    <message>
        <source>Regressi (Regressi.exe regressi.exe REGRESSI.EXE)</source>
        <translation>Regressi (Regressi.exe regressi.exe REGRESSI.EXE)</translation>
    </message>
    <message>
        <source>Regressi a été lancé et le tableau a été copié dans le presse-papier.</source>
        <translation>Regressi was started and the table was copied to the clipboard.</translation>
    </message>
    <message>
        <source>Regressi n&apos;accepte pas un nombre élevé de variables (&gt; 16).</source>
        <translation>Regressi does not accept a large number of variables (&gt; 16).</translation>
    </message>
    <message>
        <source>Regressi ne peut pas être lancé sur cet ordinateur : le programme wine, nécessaire aux programmes Windows, est introuvable.</source>
        <translation>Regressi cannot be started on this computer: the wine program, needed by Windows programs, cannot be found.</translation>
    </message>
    <message>
        <source>Relier les points</source>
        <translation>Join the points</translation>
    </message>
    <message>
        <source>Remplacer</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>Représentation des vecteurs</source>
        <translation>Representation of the vectors</translation>
    </message>
    <message>
        <source>Représentation du vecteur</source>
        <translation>Vector shown</translation>
    </message>
    <message>
        <source>Repère</source>
        <translation>Frame of reference</translation>
    </message>
    <message>
        <source>Repère fixe</source>
        <translation>Fixed frame of reference</translation>
    </message>
    <message>
        <source>Restaurer</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Restaurer le graphe</source>
        <translation>Restore the graph</translation>
    </message>
    <message>
        <source>Restaurer le tableau</source>
        <translation>Restore the table</translation>
    </message>
    <message>
        <source>Restaurer le travail non enregistré du %s ?</source>
        <translation>Restore the unsaved study of %s?</translation>
    </message>
    <message>
        <source>Revenir à la vue de départ du graphe</source>
        <translation>Go back to the first view of the graph</translation>
    </message>
    <message>
        <source>Référentiel</source>
        <translation>Frame of reference</translation>
    </message>
    <message>
        <source>Réglages de la capture</source>
        <translation>Capture settings</translation>
    </message>
    <message>
        <source>Réglages...</source>
        <translation>Settings...</translation>
    </message>
    <message>
        <source>Résultats</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>Résumé</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>Réticule</source>
        <translation>Crosshair</translation>
    </message>
    <message>
        <source>Sa valeur (0,1), ou « = » suivi d&apos;une expression des autres constantes (=2*g)</source>
        <translation>Its value (0.1), or &quot;=&quot; followed by an expression of the other constants (=2*g)</translation>
    </message>
    <message>
        <source>Saisie précédente</source>
        <translation>Previous input</translation>
    </message>
    <message>
        <source>Saisie suivante</source>
        <translation>Next input</translation>
    </message>
    <message>
        <source>Saisir des formules ou des constantes</source>
        <translation>Type formulas or constants</translation>
    </message>
    <message>
        <source>Saisir deux fois le même mot de passe.</source>
        <translation>Type the same password twice.</translation>
    </message>
    <message>
        <source>Saisir le nom, la valeur, l&apos;unité et le commentaire d&apos;une nouvelle constante</source>
        <translation>Type the name, the value, the unit and the comment of a new constant</translation>
    </message>
    <message>
        <source>Saisir le numéro des images ou des groupes d&apos;images séparés par des points-virgules (exemple : 1-55 ; 58 ; 73-165) :</source>
        <translation>Type the numbers of the frames or groups of frames, separated by semicolons (example: 1-55; 58; 73-165):</translation>
    </message>
    <message>
        <source>Saisir une autre valeur (en seconde) :</source>
        <translation>Type another value (in seconds):</translation>
    </message>
    <message>
        <source>Saisir une expression, puis Entrée ou « = »</source>
        <translation>Type an expression, then Enter or &quot;=&quot;</translation>
    </message>
    <message>
        <source>Saisir une formule : son nom, « = », puis l&apos;expression (Ec = 0,5*m*v^2)</source>
        <translation>Type a formula: its name, &quot;=&quot;, then the expression (Ek = 0.5*m*v^2)</translation>
    </message>
    <message>
        <source>Saisir une nouvelle formule, son unité et son commentaire</source>
        <translation>Type a new formula, its unit and its comment</translation>
    </message>
    <message>
        <source>Saisir une valeur comprise dans l&apos;intervalle ci-dessous :</source>
        <translation>Type a value within the interval below:</translation>
    </message>
    <message>
        <source>Sans compression, les images sont enregistrées telles quelles : le fichier est gros mais rien n&apos;est perdu. La compression MJPEG donne un fichier AVI bien plus petit.
Les compressions H.264 (fichier MP4) et VP8 (fichier WebM), quand elles sont installées, donnent les plus petits ; chaque image y garde l&apos;instant où la caméra l&apos;a prise.</source>
        <translation>Without compression, the pictures are saved as they are: the file is large but nothing is lost. MJPEG compression gives a much smaller AVI file.
H.264 (MP4 file) and VP8 (WebM file) compression, when installed, give the smallest; each frame keeps the instant the camera took it.</translation>
    </message>
    <message>
        <source>Sans modèle</source>
        <translation>No model</translation>
    </message>
    <message>
        <source>Segment</source>
        <translation>Segment</translation>
    </message>
    <message>
        <source>Selon le fichier vidéo</source>
        <translation>From the video file</translation>
    </message>
    <message>
        <source>Sens des vecteurs</source>
        <translation>Direction of the vectors</translation>
    </message>
    <message>
        <source>Signal sonore au démarrage</source>
        <translation>Beep at start</translation>
    </message>
    <message>
        <source>Signe égal</source>
        <translation>Equals sign</translation>
    </message>
    <message>
        <source>Sin, Cos, Tan : sinus, cosinus, tangente
ArcSin, ArcCos, ArcTan : fonctions réciproques ; ArcTan(y;x) donne l&apos;angle du point (x, y)
Ln : logarithme népérien ; Log : logarithme décimal
Exp : exponentielle ; Sqrt : racine carrée ; Abs : valeur absolue
Pi : le nombre π
Les noms s&apos;écrivent en majuscules ou en minuscules ; l&apos;argument suit entre parenthèses.</source>
        <translation>Sin, Cos, Tan: sine, cosine, tangent
ArcSin, ArcCos, ArcTan: inverse functions; ArcTan(y;x) gives the angle of the point (x, y)
Ln: natural logarithm; Log: decimal logarithm
Exp: exponential; Sqrt: square root; Abs: absolute value
Pi: the number π
Names may be written in capitals or in small letters; the argument follows in brackets.</translation>
    </message>
    <message>
        <source>Sinus</source>
        <translation>Sine</translation>
    </message>
    <message>
        <source>Sinusoïde</source>
        <translation>Sinusoid</translation>
    </message>
    <message>
        <source>Sinusoïde amortie (exp.)</source>
        <translation>Damped sinusoid (exp.)</translation>
    </message>
    <message>
        <source>Sinusoïde amortie (lin.)</source>
        <translation>Damped sinusoid (lin.)</translation>
    </message>
    <message>
        <source>Sommaire</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Son commentaire (facultatif)</source>
        <translation>Its comment (optional)</translation>
    </message>
    <message>
        <source>Son nom : m, g, v_lam[1]...</source>
        <translation>Its name: m, g, v_lam[1]...</translation>
    </message>
    <message>
        <source>Son unité (facultative)</source>
        <translation>Its unit (optional)</translation>
    </message>
    <message>
        <source>Souhaitez-vous conserver ces données ?</source>
        <translation>Do you want to keep these data?</translation>
    </message>
    <message>
        <source>Soustraire</source>
        <translation>Subtract</translation>
    </message>
    <message>
        <source>Spline</source>
        <translation>Spline</translation>
    </message>
    <message>
        <source>Substituer</source>
        <translation>Substitute</translation>
    </message>
    <message>
        <source>Substituer les valeurs non définies par des zéros ?</source>
        <translation>Replace the undefined values with zeros?</translation>
    </message>
    <message>
        <source>Suivi</source>
        <translation>Tracking</translation>
    </message>
    <message>
        <source>Suivi automatique</source>
        <translation>Automatic tracking</translation>
    </message>
    <message>
        <source>Suivi automatique d&apos;un objet</source>
        <translation>Automatic tracking of an object</translation>
    </message>
    <message>
        <source>Suivre l&apos;objet par ses couleurs (histogramme et mean shift) : pour un objet coloré, même s&apos;il tourne</source>
        <translation>Track the object by its colours (histogram and mean shift): for a coloured object, even when it turns</translation>
    </message>
    <message>
        <source>Suivre l&apos;objet par son motif (corrélation avec son image) : pour un objet petit ou sans couleur propre</source>
        <translation>Track the object by its pattern (correlation with its picture): for a small object or one without a colour of its own</translation>
    </message>
    <message>
        <source>Supprimer</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Supprimer l&apos;item sélectionné de la liste</source>
        <translation>Delete the selected item from the list</translation>
    </message>
    <message>
        <source>Supprimer la constante</source>
        <translation>Delete the constant</translation>
    </message>
    <message>
        <source>Supprimer la sélection</source>
        <translation>Delete the selection</translation>
    </message>
    <message>
        <source>Supprimer la vidéo enregistrée ?</source>
        <translation>Delete the recorded video?</translation>
    </message>
    <message>
        <source>Supprimer les outils désignés (cliquer ou encadrer)</source>
        <translation>Delete the tools designated (click or frame them)</translation>
    </message>
    <message>
        <source>Supprimer les outils et les vecteurs sélectionnés (Suppr dans le graphe)</source>
        <translation>Delete the selected tools and vectors (Del in the graph)</translation>
    </message>
    <message>
        <source>Système</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Sélection</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>Sélectionner</source>
        <translation>Select</translation>
    </message>
    <message>
        <source>Sélectionner des fichiers images</source>
        <translation>Select picture files</translation>
    </message>
    <message>
        <source>Sélectionner, déplacer et déformer les outils et les vecteurs (Maj : ajouter à la sélection)</source>
        <translation>Select, move and reshape the tools and vectors (Shift: add to the selection)</translation>
    </message>
    <message>
        <source>Séparateur décimal</source>
        <translation>Decimal separator</translation>
    </message>
    <message>
        <source>Séquence</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>Série d&apos;images</source>
        <translation>Series of frames</translation>
    </message>
    <message>
        <source>T&amp;rajectoires</source>
        <translation>T&amp;rajectories</translation>
    </message>
    <message>
        <source>Tableau</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>Tableau des constantes</source>
        <translation>Table of constants</translation>
    </message>
    <message>
        <source>Tableau des formules</source>
        <translation>Table of formulas</translation>
    </message>
    <message>
        <source>Tableau des mesures</source>
        <translation>Table of measurements</translation>
    </message>
    <message>
        <source>Tableau des valeurs</source>
        <translation>Table of values</translation>
    </message>
    <message>
        <source>Taille</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Taille des images et format proposés par le périphérique.</source>
        <translation>Picture sizes and formats offered by the device.</translation>
    </message>
    <message>
        <source>Taille des marques, des axes et de l&apos;échelle :</source>
        <translation>Size of the marks, of the axes and of the scale:</translation>
    </message>
    <message>
        <source>Tangente</source>
        <translation>Tangent</translation>
    </message>
    <message>
        <source>Taux d&apos;agrandissement</source>
        <translation>Magnification</translation>
    </message>
    <message>
        <source>Taux d&apos;agrandissement (cliquer pour revenir à 100 %)</source>
        <translation>Magnification (click to go back to 100 %)</translation>
    </message>
    <message>
        <source>Temps</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Temps selon l&apos;horodatage des images</source>
        <translation>Time from the time stamps of the frames</translation>
    </message>
    <message>
        <source>Texte séparé par des tabulations (*.txt)</source>
        <translation>Tab-separated text (*.txt)</translation>
    </message>
    <message>
        <source>Tous les fichiers pris en charge|%s;*.kvl|Fichier vidéo|%s|Fichier Kinoval (*.kvl)|*.kvl|Tous les fichiers|*</source>
        <translation>All supported files|%s;*.kvl|Video file|%s|Kinoval file (*.kvl)|*.kvl|All files|*</translation>
    </message>
    <message>
        <source>Tout</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Tout effacer</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>Toutes les images impaires (1 ; 3 ; 5 ; ...)</source>
        <translation>All odd frames (1; 3; 5; ...)</translation>
    </message>
    <message>
        <source>Toutes les images paires (2 ; 4 ; 6 ; ...)</source>
        <translation>All even frames (2; 4; 6; ...)</translation>
    </message>
    <message>
        <source>Toutes les marques</source>
        <translation>All the marks</translation>
    </message>
    <message>
        <source>Tracer les formules personnelles</source>
        <translation>Plot the personal formulas</translation>
    </message>
    <message>
        <source>Tracer les vecteurs depuis la position de l&apos;objet</source>
        <translation>Draw the vectors from the position of the object</translation>
    </message>
    <message>
        <source>Tracer un arc de cercle entre deux points (l&apos;outil Courber le courbe)</source>
        <translation>Draw an arc between two points (the Bend tool curves it)</translation>
    </message>
    <message>
        <source>Tracer un cercle : appuyer au centre, relâcher sur le cercle</source>
        <translation>Draw a circle: press at the centre, release on the circle</translation>
    </message>
    <message>
        <source>Tracer un segment : appuyer, glisser, relâcher</source>
        <translation>Draw a segment: press, drag, release</translation>
    </message>
    <message>
        <source>Tracer un vecteur : appuyer à l&apos;origine, relâcher à la pointe</source>
        <translation>Draw a vector: press at its origin, release at its tip</translation>
    </message>
    <message>
        <source>Tracer une courbe lisse : un clic par point, double-clic pour finir</source>
        <translation>Draw a smooth curve: one click per point, double-click to end</translation>
    </message>
    <message>
        <source>Tracer une ellipse dans le rectangle de deux points</source>
        <translation>Draw an ellipse in the rectangle of two points</translation>
    </message>
    <message>
        <source>Trait libre</source>
        <translation>Free line</translation>
    </message>
    <message>
        <source>Trajectoire</source>
        <translation>Trajectory</translation>
    </message>
    <message>
        <source>Trajectoire dans un référentiel</source>
        <translation>Trajectory in a frame of reference</translation>
    </message>
    <message>
        <source>Trajectoires</source>
        <translation>Trajectories</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Transparent sheet</translation>
    </message>
    <message>
        <source>Transparent mobile</source>
        <translation>Moving transparent sheet</translation>
    </message>
    <message>
        <source>Travail : %s</source>
        <translation>Study: %s</translation>
    </message>
    <message>
        <source>Trois</source>
        <translation>Three</translation>
    </message>
    <message>
        <source>Trop de fichiers sont ouverts.</source>
        <translation>Too many files are open.</translation>
    </message>
    <message>
        <source>Trop de liens symboliques dans le chemin.</source>
        <translation>Too many symbolic links in the path.</translation>
    </message>
    <message>
        <source>Un caractère à droite</source>
        <translation>One character to the right</translation>
    </message>
    <message>
        <source>Un caractère à gauche</source>
        <translation>One character to the left</translation>
    </message>
    <message>
        <source>Un double clic sur une étude « .kvl » l&apos;ouvrira désormais avec Kinoval.</source>
        <translation>A double click on a &quot;.kvl&quot; study will now open it with Kinoval.</translation>
    </message>
    <message>
        <source>Un fichier portant ce nom existe déjà dans le répertoire choisi.</source>
        <translation>A file with this name already exists in the chosen folder.</translation>
    </message>
    <message>
        <source>Un fichier portant le même nom existe déjà. Le remplacer ?</source>
        <translation>A file with the same name already exists. Replace it?</translation>
    </message>
    <message>
        <source>Un nom ne doit pas commencer par un chiffre et ne contient que des lettres ou des chiffres. Variable ou constante incorrecte : %s</source>
        <translation>A name must not begin with a digit and holds only letters or digits. Wrong variable or constant: %s</translation>
    </message>
    <message>
        <source>Un pointage automatique a été effectué.</source>
        <translation>An automatic marking was done.</translation>
    </message>
    <message>
        <source>Un périphérique Plug and Play a été déconnecté.</source>
        <translation>A Plug and Play device was disconnected.</translation>
    </message>
    <message>
        <source>Un périphérique Plug and Play a été reconnecté</source>
        <translation>A Plug and Play device was reconnected</translation>
    </message>
    <message>
        <source>Un rayon de recherche important réduira la vitesse du suivi</source>
        <translation>A large search radius will slow the tracking down</translation>
    </message>
    <message>
        <source>Un élément du chemin n&apos;est pas un dossier.</source>
        <translation>A part of the path is not a folder.</translation>
    </message>
    <message>
        <source>Une</source>
        <translation>One</translation>
    </message>
    <message>
        <source>Une erreur a été détectée.</source>
        <translation>An error was found.</translation>
    </message>
    <message>
        <source>Une erreur a été détectée. Impossible de lancer Regressi.</source>
        <translation>An error was found. Cannot start Regressi.</translation>
    </message>
    <message>
        <source>Une image est abîmée</source>
        <translation>A frame is damaged</translation>
    </message>
    <message>
        <source>Une image masquée apparaît en négatif.</source>
        <translation>A hidden frame appears in negative.</translation>
    </message>
    <message>
        <source>Une image n&apos;a pu être insérée dans le flux vidéo</source>
        <translation>A frame could not be inserted into the video stream</translation>
    </message>
    <message>
        <source>Une marque de l&apos;image n° %s a des coordonnées illisibles : elle a été écartée.</source>
        <translation>A mark of frame no. %s has unreadable coordinates: it was discarded.</translation>
    </message>
    <message>
        <source>Une marque similaire existe déjà sur cette image.</source>
        <translation>A similar mark already exists on this frame.</translation>
    </message>
    <message>
        <source>Une parenthèse fermée n&apos;a pas été ouverte.</source>
        <translation>A closing bracket was not opened.</translation>
    </message>
    <message>
        <source>Une parenthèse ouverte n&apos;a pas été fermée.</source>
        <translation>An opening bracket was not closed.</translation>
    </message>
    <message>
        <source>Une valeur contient un retour à la ligne, qu&apos;un fichier de travail ne peut pas garder (clé %s).</source>
        <translation>A value contains a line break, which a study file cannot keep (key %s).</translation>
    </message>
    <message>
        <source>Une version ancienne de Regressi risque de mal interpréter une de ces valeurs.</source>
        <translation>An old version of Regressi may misread one of these values.</translation>
    </message>
    <message>
        <source>Unité</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Unité :</source>
        <translation>Unit:</translation>
    </message>
    <message>
        <source>Unité de la constante</source>
        <translation>Unit of the constant</translation>
    </message>
    <message>
        <source>Unité de la formule</source>
        <translation>Unit of the formula</translation>
    </message>
    <message>
        <source>Unité des angles dans les formules</source>
        <translation>Unit of the angles in the formulas</translation>
    </message>
    <message>
        <source>Unités fréquemment utilisées</source>
        <translation>Frequently used units</translation>
    </message>
    <message>
        <source>Utiliser le bouton poussoir « Echelle ».</source>
        <translation>Use the &quot;Scale&quot; push button.</translation>
    </message>
    <message>
        <source>Utiliser le bouton poussoir « Marques ».</source>
        <translation>Use the &quot;Marks&quot; push button.</translation>
    </message>
    <message>
        <source>Utiliser le bouton poussoir « Repère ».</source>
        <translation>Use the &quot;Frame of reference&quot; push button.</translation>
    </message>
    <message>
        <source>Utiliser le bouton « Dessiner le contour de l&apos;objet ».</source>
        <translation>Use the &quot;Draw the outline of the object&quot; button.</translation>
    </message>
    <message>
        <source>Utiliser le point virgule pour séparer les deux variables d&apos;une fonction. Exemple : ArcTan(x;y).</source>
        <translation>Use the semicolon to separate the two variables of a function. Example: ArcTan(x;y).</translation>
    </message>
    <message>
        <source>Utiliser les touches du pavé numérique depuis la fenêtre pricipale</source>
        <translation>Use the keys of the numeric keypad from the main window</translation>
    </message>
    <message>
        <source>Valeur</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Valeur absolue</source>
        <translation>Absolute value</translation>
    </message>
    <message>
        <source>Valeur de l&apos;accélération</source>
        <translation>Magnitude of the acceleration</translation>
    </message>
    <message>
        <source>Valeur de la constante</source>
        <translation>Value of the constant</translation>
    </message>
    <message>
        <source>Valeur de la flèche</source>
        <translation>Value of the arrow</translation>
    </message>
    <message>
        <source>Valeur de la vitesse</source>
        <translation>Magnitude of the velocity</translation>
    </message>
    <message>
        <source>Valeur de la vitesse angulaire</source>
        <translation>Magnitude of the angular velocity</translation>
    </message>
    <message>
        <source>Valeur saisie :</source>
        <translation>Typed value:</translation>
    </message>
    <message>
        <source>Valeurs séparées par des virgules (*.csv)</source>
        <translation>Comma-separated values (*.csv)</translation>
    </message>
    <message>
        <source>Valider la saisie</source>
        <translation>Confirm the input</translation>
    </message>
    <message>
        <source>Variable dont la valeur est inconnue : %s. Vérifier que la valeur initiale (%s ou %s) est déclarée dans le tableau des constantes.</source>
        <translation>Variable whose value is unknown: %s. Check that the initial value (%s or %s) is declared in the table of constants.</translation>
    </message>
    <message>
        <source>Variables prédéfinies</source>
        <translation>Predefined variables</translation>
    </message>
    <message>
        <source>Vecteur</source>
        <translation>Vector</translation>
    </message>
    <message>
        <source>Vecteurs</source>
        <translation>Vectors</translation>
    </message>
    <message>
        <source>Vecteurs vitesse et accélération</source>
        <translation>Velocity and acceleration vectors</translation>
    </message>
    <message>
        <source>Veuillez choisir un nom de fichier différent ou un autre répertoire.</source>
        <translation>Please choose another file name or another folder.</translation>
    </message>
    <message>
        <source>Veuillez patienter ...</source>
        <translation>Please wait ...</translation>
    </message>
    <message>
        <source>Veuillez suivre la procédure suivante :</source>
        <translation>Please follow these steps:</translation>
    </message>
    <message>
        <source>Veuillez télécharger et installer le dossier « KvlDll ».</source>
        <translation>Please download and install the &quot;KvlDll&quot; folder.</translation>
    </message>
    <message>
        <source>Veuillez télécharger et installer une version plus récente du dossier « KvlDll ».</source>
        <translation>Please download and install a more recent version of the &quot;KvlDll&quot; folder.</translation>
    </message>
    <message>
        <source>Vidéo : %s</source>
        <translation>Video: %s</translation>
    </message>
    <message>
        <source>Vidéo : lecteurs FFmpeg et GStreamer absents de cette version</source>
        <translation>Video: FFmpeg and GStreamer players missing from this build</translation>
    </message>
    <message>
        <source>Vidéo non initialisée</source>
        <translation>Video not initialised</translation>
    </message>
    <message>
        <source>Vidéos d&apos;e&amp;xemple</source>
        <translation>Sample &amp;videos</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Visible</translation>
    </message>
    <message>
        <source>Vitesse</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <source>Vitesse et accélération</source>
        <translation>Velocity and acceleration</translation>
    </message>
    <message>
        <source>Voulez-vous le remplacer ?</source>
        <translation>Do you want to replace it?</translation>
    </message>
    <message>
        <source>Vous allez sélectionner plusieurs fichiers images.</source>
        <translation>You are going to select several picture files.</translation>
    </message>
    <message>
        <source>Vous avez choisi de pointer simultanément les positions de %u objets.</source>
        <translation>You chose to mark the positions of %u objects at the same time.</translation>
    </message>
    <message>
        <source>Vérifier la présence du répertoire « Help » à côté du programme « kinoval ».</source>
        <translation>Check that the &quot;Help&quot; folder is beside the &quot;kinoval&quot; program.</translation>
    </message>
    <message>
        <source>Vérifier qu&apos;il n&apos;a pas été déplacé.</source>
        <translation>Check that it has not been moved.</translation>
    </message>
    <message>
        <source>Vérifier que le support n&apos;est pas protégé en écriture.</source>
        <translation>Check that the medium is not write-protected.</translation>
    </message>
    <message>
        <source>Vérifiez vos droits d&apos;accès à ce répertoire.</source>
        <translation>Check your access rights to this folder.</translation>
    </message>
    <message>
        <source>Zone ignorée</source>
        <translation>Ignored area</translation>
    </message>
    <message>
        <source>Zone interdite</source>
        <translation>Forbidden area</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoomer</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Zoomer : cliquer pour agrandir (bouton droit : réduire, Ctrl : finement) ou tracer un cadre</source>
        <translation>Zoom: click to zoom in (right button: zoom out, Ctrl: finely) or draw a frame</translation>
    </message>
    <message>
        <source>accélération</source>
        <translation>acceleration</translation>
    </message>
    <message>
        <source>afficher</source>
        <translation>show</translation>
    </message>
    <message>
        <source>aucune formule calculée</source>
        <translation>no formula calculated</translation>
    </message>
    <message>
        <source>aucune vidéo ouverte</source>
        <translation>no video open</translation>
    </message>
    <message>
        <source>coefficient de corrélation</source>
        <translation>correlation coefficient</translation>
    </message>
    <message>
        <source>d&apos;une balle</source>
        <translation>of a ball</translation>
    </message>
    <message>
        <source>dans le repère (O, x, y)</source>
        <translation>in the axes (O, x, y)</translation>
    </message>
    <message>
        <source>dans le référentiel</source>
        <translation>in the frame of reference</translation>
    </message>
    <message>
        <source>de %s</source>
        <translation>of %s</translation>
    </message>
    <message>
        <source>de la pointe d&apos;un javelot</source>
        <translation>of the tip of a javelin</translation>
    </message>
    <message>
        <source>de modifier une précédente sélection.</source>
        <translation>or to change a previous selection.</translation>
    </message>
    <message>
        <source>degrés</source>
        <translation>degrees</translation>
    </message>
    <message>
        <source>des abscisses</source>
        <translation>of the abscissae</translation>
    </message>
    <message>
        <source>des ordonnées</source>
        <translation>of the ordinates</translation>
    </message>
    <message>
        <source>du centre de la Terre</source>
        <translation>of the centre of the Earth</translation>
    </message>
    <message>
        <source>du laboratoire</source>
        <translation>of the laboratory</translation>
    </message>
    <message>
        <source>du point n°</source>
        <translation>of point no. </translation>
    </message>
    <message>
        <source>en bas à droite</source>
        <translation>bottom right</translation>
    </message>
    <message>
        <source>en bas à gauche</source>
        <translation>bottom left</translation>
    </message>
    <message>
        <source>en fonction de</source>
        <translation>against</translation>
    </message>
    <message>
        <source>en fonction du temps</source>
        <translation>against time</translation>
    </message>
    <message>
        <source>en haut à droite</source>
        <translation>top right</translation>
    </message>
    <message>
        <source>en haut à gauche</source>
        <translation>top left</translation>
    </message>
    <message>
        <source>grande</source>
        <translation>large</translation>
    </message>
    <message>
        <source>graphe.pdf</source>
        <translation>graph.pdf</translation>
    </message>
    <message>
        <source>graphe.png</source>
        <translation>graph.png</translation>
    </message>
    <message>
        <source>image visible précédente   t = %s s</source>
        <translation>previous visible frame   t = %s s</translation>
    </message>
    <message>
        <source>image visible suivante     t = %s s</source>
        <translation>next visible frame       t = %s s</translation>
    </message>
    <message>
        <source>impossible de lire « %s » : %s</source>
        <translation>cannot read &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>inconnue</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>infinie</source>
        <translation>infinite</translation>
    </message>
    <message>
        <source>instant correspondant à l&apos;image sélectionnée  t =</source>
        <translation>instant of the selected frame  t =</translation>
    </message>
    <message>
        <source>insérer des images vides</source>
        <translation>insert blank frames</translation>
    </message>
    <message>
        <source>l&apos;image de la vidéo</source>
        <translation>the video picture</translation>
    </message>
    <message>
        <source>l&apos;objet n&apos;y ressemble plus assez à son modèle</source>
        <translation>the object no longer looks enough like its model there</translation>
    </message>
    <message>
        <source>l&apos;origine du repère</source>
        <translation>the origin of the axes</translation>
    </message>
    <message>
        <source>la marque</source>
        <translation>the mark</translation>
    </message>
    <message>
        <source>la position trouvée est celle d&apos;un objet immobile</source>
        <translation>the position found is that of a still object</translation>
    </message>
    <message>
        <source>la position trouvée s&apos;écarte trop de la trajectoire prévue</source>
        <translation>the position found is too far from the expected trajectory</translation>
    </message>
    <message>
        <source>la valeur des vecteurs</source>
        <translation>the vectors&apos; values</translation>
    </message>
    <message>
        <source>le fichier est abîmé, ou ce n&apos;est pas une vidéo ...</source>
        <translation>the file is damaged, or it is not a video ...</translation>
    </message>
    <message>
        <source>le modèle ne peut pas être ajusté à ces %s point(s) (code %s)</source>
        <translation>the model cannot be fitted to these %s point(s) (code %s)</translation>
    </message>
    <message>
        <source>le modèle « %s » a %s paramètres : il faut au moins autant d&apos;abscisses différentes, les points n&apos;en ont que %s</source>
        <translation>the model &quot;%s&quot; has %s parameters: it needs at least as many different abscissae, the points have only %s</translation>
    </message>
    <message>
        <source>lecteur AVI intégré</source>
        <translation>built-in AVI player</translation>
    </message>
    <message>
        <source>les statistiques</source>
        <translation>the statistics</translation>
    </message>
    <message>
        <source>ligne %s ignorée (elle ne commence pas par deux nombres)</source>
        <translation>line %s ignored (it does not begin with two numbers)</translation>
    </message>
    <message>
        <source>m = 0,1
    une masse, en kg
g = 9,81
    l&apos;intensité de la pesanteur
Dt = 0,04
    le pas de calcul d&apos;une formule itérative
P = =m*g
    une valeur qui commence par « = » est calculée à partir des autres constantes
y_e[1] = 0
    valeur initiale de la formule itérative y_e, sur la ligne 1 du tableau
    (la ligne 0 quand la numérotation commence à zéro)</source>
        <translation>m = 0.1
    a mass, in kg
g = 9.81
    the gravitational field strength
Dt = 0.04
    the step of an iterative formula
P = =m*g
    a value that begins with &quot;=&quot; is calculated from the other constants
y_e[1] = 0
    initial value of the iterative formula y_e, on row 1 of the table
    (row 0 when the numbering starts at zero)</translation>
    </message>
    <message>
        <source>masquer</source>
        <translation>hide</translation>
    </message>
    <message>
        <source>modèle inconnu « %s »</source>
        <translation>unknown model &quot;%s&quot;</translation>
    </message>
    <message>
        <source>moyenne</source>
        <translation>medium</translation>
    </message>
    <message>
        <source>ne rien faire</source>
        <translation>do nothing</translation>
    </message>
    <message>
        <source>nombre &gt;= 1</source>
        <translation>number &gt;= 1</translation>
    </message>
    <message>
        <source>non</source>
        <translation>no</translation>
    </message>
    <message>
        <source>objet %d</source>
        <translation>object %d</translation>
    </message>
    <message>
        <source>oui</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>pas d&apos;unité saisie</source>
        <translation>no unit entered</translation>
    </message>
    <message>
        <source>pas de commentaire saisi</source>
        <translation>no comment entered</translation>
    </message>
    <message>
        <source>petite</source>
        <translation>small</translation>
    </message>
    <message>
        <source>pour</source>
        <translation>for</translation>
    </message>
    <message>
        <source>précision relative</source>
        <translation>relative precision</translation>
    </message>
    <message>
        <source>présentée comme sur la vidéo</source>
        <translation>shown as on the video</translation>
    </message>
    <message>
        <source>rad</source>
        <translation>rad</translation>
    </message>
    <message>
        <source>rbcdkfghijlmnopq</source>
        <translation>rbcdkfghijlmnopq</translation>
    </message>
    <message>
        <source>repère les positions</source>
        <translation>marks the positions</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>si la recherche est fructueuse, utilisez le bouton « Ouvrir »</source>
        <translation>if the search succeeds, use the &quot;Open&quot; button</translation>
    </message>
    <message>
        <source>sous la marque</source>
        <translation>below the mark</translation>
    </message>
    <message>
        <source>t (temps)</source>
        <translation>t (time)</translation>
    </message>
    <message>
        <source>t : temps (s)
x, y : coordonnées (m)
vx, vy, v : composantes et valeur de la vitesse (m/s)
ax, ay, a : composantes et valeur de l&apos;accélération (m/s²)
O, R, w : coordonnée angulaire, coordonnée radiale, vitesse angulaire
B : angle de rotation du repère
Un nombre après le nom désigne l&apos;objet : x2, vy3... ; sans nombre, l&apos;objet 1.
La vitesse, l&apos;accélération et les grandeurs polaires existent quand les réglages les calculent.
Les angles sont en degrés ou en radians selon le menu Calculs &gt; Angles.</source>
        <translation>t: time (s)
x, y: coordinates (m)
vx, vy, v: components and magnitude of the velocity (m/s)
ax, ay, a: components and magnitude of the acceleration (m/s²)
O, R, w: angular coordinate, radial coordinate, angular velocity
B: rotation angle of the axes
A number after the name names the object: x2, vy3...; without a number, object 1.
The velocity, the acceleration and the polar quantities exist when the settings calculate them.
Angles are in degrees or in radians as set in the menu Calculations &gt; Angles.</translation>
    </message>
    <message>
        <source>temps</source>
        <translation>time</translation>
    </message>
    <message>
        <source>un choix de codecs différent</source>
        <translation>a different choice of codecs</translation>
    </message>
    <message>
        <source>une différence de qualité de la vidéo</source>
        <translation>a difference in the quality of the video</translation>
    </message>
    <message>
        <source>une ligne brisée</source>
        <translation>a polyline</translation>
    </message>
    <message>
        <source>utilisez le bouton « Rechercher » dans la prochaine fenêtre</source>
        <translation>use the &quot;Search&quot; button in the next window</translation>
    </message>
    <message>
        <source>vitesse</source>
        <translation>velocity</translation>
    </message>
    <message>
        <source>votre ordinateur ne possède pas le codec nécessaire (installer les greffons GStreamer « good », « bad » et « ugly », ou le paquet « ffmpeg »)</source>
        <translation>your computer lacks the codec needed (install the GStreamer plug-ins &quot;good&quot;, &quot;bad&quot; and &quot;ugly&quot;, or the &quot;ffmpeg&quot; package)</translation>
    </message>
    <message>
        <source>|Bouton gauche 1er clic = centre du cercle ; bouton gauche 2ème clic = terminer ; bouton droit = effacer</source>
        <translation>|Left button 1st click = centre of the circle; left button 2nd click = finish; right button = erase</translation>
    </message>
    <message>
        <source>|Bouton gauche 1er clic = débuter le tracé ; bouton gauche 2ème clic = terminer ; bouton droit = effacer</source>
        <translation>|Left button 1st click = start the line; left button 2nd click = finish; right button = erase</translation>
    </message>
    <message>
        <source>|Bouton gauche = ajouter un sommet au polygone ; double clic du bouton gauche = terminer ; bouton droit = effacer</source>
        <translation>|Left button = add a vertex to the polygon; double click of the left button = finish; right button = erase</translation>
    </message>
    <message>
        <source>à droite de la marque</source>
        <translation>to the right of the mark</translation>
    </message>
    <message>
        <source>écart quadratique moyen</source>
        <translation>root mean square deviation</translation>
    </message>
</context>
</TS>
