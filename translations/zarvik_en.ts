<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="fr">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Coups joués</source>
        <translation>Moves played</translation>
    </message>
    <message>
        <source>Fichier du plateau personnalisé</source>
        <translation>Custom board file</translation>
    </message>
</context>
<context>
    <name>Analysis</name>
    <message>
        <source>En attente : l&apos;ordinateur réfléchit.</source>
        <translation>Waiting: the computer is thinking.</translation>
    </message>
    <message>
        <source>Analyse en cours…</source>
        <translation>Analysing…</translation>
    </message>
    <message>
        <source>Rouge ne peut pas jouer et passe.</source>
        <translation>Red cannot move and passes.</translation>
    </message>
    <message>
        <source>Noir ne peut pas jouer et passe.</source>
        <translation>Black cannot move and passes.</translation>
    </message>
    <message>
        <source>Rouge a gagné.</source>
        <translation>Red has won.</translation>
    </message>
    <message>
        <source>Noir a gagné.</source>
        <translation>Black has won.</translation>
    </message>
    <message>
        <source>Aucun camp ne peut jouer : partie nulle.</source>
        <translation>Neither side can move: the game is drawn.</translation>
    </message>
</context>
<context>
    <name>AnalysisView</name>
    <message>
        <source>Profondeur %1</source>
        <translation>Depth %1</translation>
    </message>
    <message>
        <source>Score %1 pour rouge</source>
        <translation>Score %1 for red</translation>
    </message>
    <message>
        <source>Score %1 pour noir</source>
        <translation>Score %1 for black</translation>
    </message>
    <message>
        <source>Ligne attendue : %1</source>
        <translation>Expected line: %1</translation>
    </message>
    <message>
        <source>Analyse terminée.</source>
        <translation>Analysis finished.</translation>
    </message>
    <message>
        <source>1 coup</source>
        <translation>1 move</translation>
    </message>
    <message>
        <source>%1 coups</source>
        <translation>%1 moves</translation>
    </message>
    <message>
        <source>Rouge gagne en %1</source>
        <translation>Red wins in %1</translation>
    </message>
    <message>
        <source>Noir gagne en %1</source>
        <translation>Black wins in %1</translation>
    </message>
    <message>
        <source>Rouge perd en %1</source>
        <translation>Red loses in %1</translation>
    </message>
    <message>
        <source>Noir perd en %1</source>
        <translation>Black loses in %1</translation>
    </message>
</context>
<context>
    <name>BoardAccessibleCell</name>
    <message>
        <source>pierre rouge</source>
        <translation>red stone</translation>
    </message>
    <message>
        <source>pierre noire</source>
        <translation>black stone</translation>
    </message>
    <message>
        <source>petite pierre rouge</source>
        <translation>small red stone</translation>
    </message>
    <message>
        <source>petite pierre noire</source>
        <translation>small black stone</translation>
    </message>
    <message>
        <source>vide</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>pierre choisie</source>
        <translation>chosen stone</translation>
    </message>
    <message>
        <source>destination possible</source>
        <translation>possible destination</translation>
    </message>
    <message>
        <source>dernier coup</source>
        <translation>last move</translation>
    </message>
    <message>
        <source>coup conseillé</source>
        <translation>suggested move</translation>
    </message>
</context>
<context>
    <name>BoardFile</name>
    <message>
        <source>ligne %1 : %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>le fichier est trop grand (%1 octets, au plus %2)</source>
        <translation>the file is too large (%1 bytes, at most %2)</translation>
    </message>
    <message>
        <source>« %1%2 »</source>
        <translation>“%1%2”</translation>
    </message>
    <message>
        <source>code %1 inconnu (0 à 4)</source>
        <translation>unknown code %1 (0 to 4)</translation>
    </message>
    <message>
        <source>%1 codes au lieu de %2</source>
        <translation>%1 codes instead of %2</translation>
    </message>
    <message>
        <source>le fichier n&apos;est pas du texte (octet %1)</source>
        <translation>the file is not text (byte %1)</translation>
    </message>
    <message>
        <source>le fichier est vide</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>ligne de trop, le plateau a %1 rangées</source>
        <translation>one line too many, the board has %1 rows</translation>
    </message>
    <message>
        <source>ligne vide au lieu d&apos;une rangée</source>
        <translation>empty line instead of a row</translation>
    </message>
    <message>
        <source>le fichier s&apos;arrête après %1 rangées sur %2</source>
        <translation>the file ends after %1 rows of %2</translation>
    </message>
    <message>
        <source>le fichier est protégé en écriture</source>
        <translation>the file is write-protected</translation>
    </message>
    <message>
        <source>le dossier « %1 » n&apos;accepte pas l&apos;écriture</source>
        <translation>the folder “%1” does not allow writing</translation>
    </message>
    <message>
        <source>Impossible d&apos;ouvrir le plateau « %1 » : %2.</source>
        <translation>Cannot open the board “%1”: %2.</translation>
    </message>
    <message>
        <source>Le fichier « %1 » n&apos;est pas un plateau : %2.</source>
        <translation>The file “%1” is not a board: %2.</translation>
    </message>
    <message>
        <source>l&apos;écriture s&apos;est arrêtée avant la fin, le disque est peut-être plein (%1)</source>
        <translation>writing stopped before the end, the disk may be full (%1)</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer le plateau « %1 » : %2.</source>
        <translation>Cannot save the board “%1”: %2.</translation>
    </message>
</context>
<context>
    <name>BoardWidget</name>
    <message>
        <source>Plateau</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Rouge passe</source>
        <translation>Red passes</translation>
    </message>
    <message>
        <source>Noir passe</source>
        <translation>Black passes</translation>
    </message>
    <message>
        <source>Rouge joue %1 et prend</source>
        <translation>Red plays %1 and captures</translation>
    </message>
    <message>
        <source>Noir joue %1 et prend</source>
        <translation>Black plays %1 and captures</translation>
    </message>
    <message>
        <source>Rouge joue %1</source>
        <translation>Red plays %1</translation>
    </message>
    <message>
        <source>Noir joue %1</source>
        <translation>Black plays %1</translation>
    </message>
</context>
<context>
    <name>ClockLabel</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>Ce coup : %1:%2</source>
        <translation>This move: %1:%2</translation>
    </message>
</context>
<context>
    <name>EvaluationGraph</name>
    <message>
        <source>Chances de rouge au fil de la partie</source>
        <translation>Red&apos;s chances through the game</translation>
    </message>
    <message>
        <source>Aucune revue</source>
        <translation>No review</translation>
    </message>
    <message>
        <source>Début de la partie : rouge a %1 % de chances de gagner</source>
        <translation>Start of the game: red has a %1 % chance to win</translation>
    </message>
    <message>
        <source>Coup %1, %2 : rouge a %3 % de chances de gagner</source>
        <translation>Move %1, %2: red has a %3 % chance to win</translation>
    </message>
</context>
<context>
    <name>GameController</name>
    <message>
        <source>position illisible</source>
        <translation>unreadable position</translation>
    </message>
    <message>
        <source>Chargement d&apos;un plateau</source>
        <translation>Loading a board</translation>
    </message>
</context>
<context>
    <name>GameJournal</name>
    <message>
        <source>aucune partie</source>
        <translation>no game</translation>
    </message>
    <message>
        <source>joueurs illisibles</source>
        <translation>unreadable players</translation>
    </message>
    <message>
        <source>le coup %1 n&apos;est pas permis</source>
        <translation>move %1 is not allowed</translation>
    </message>
</context>
<context>
    <name>GameNarrator</name>
    <message>
        <source>Joueur 1 gagne la partie</source>
        <translation>Player 1 wins the game</translation>
    </message>
    <message>
        <source>Joueur 2 gagne la partie</source>
        <translation>Player 2 wins the game</translation>
    </message>
    <message>
        <source>L&apos;hôte a refusé votre coup (arrivé trop tard pour son horloge ?) : la partie est arrêtée.</source>
        <translation>The host refused your move (too late for its clock?): the game is stopped.</translation>
    </message>
    <message>
        <source>L&apos;hôte a envoyé un message incompréhensible : la partie est arrêtée.</source>
        <translation>The host sent a message that makes no sense: the game is stopped.</translation>
    </message>
    <message>
        <source>L&apos;hôte ne répond plus depuis %1 secondes : la partie est arrêtée.</source>
        <translation>The host has not answered for %1 seconds: the game is stopped.</translation>
    </message>
    <message>
        <source>Connection réseau a été perdue, la partie est annulée.</source>
        <translation>The network connection was lost, the game is cancelled.</translation>
    </message>
    <message>
        <source>Attente de connection du joueur 1 (rouge)...</source>
        <translation>Waiting for player 1 (red) to connect...</translation>
    </message>
    <message>
        <source>Attente de connection du joueur 2 (noir)...</source>
        <translation>Waiting for player 2 (black) to connect...</translation>
    </message>
    <message>
        <source>Connexion à %1, port %2...</source>
        <translation>Connecting to %1, port %2...</translation>
    </message>
    <message>
        <source>Connecté : en attente de la partie de l&apos;hôte...</source>
        <translation>Connected: waiting for the host&apos;s game...</translation>
    </message>
    <message>
        <source>Le joueur rouge ne peut pas jouer, il passe son tour.</source>
        <translation>Red cannot move and passes.</translation>
    </message>
    <message>
        <source>Le joueur noir ne peut pas jouer, il passe son tour.</source>
        <translation>Black cannot move and passes.</translation>
    </message>
    <message>
        <source>En attente du coup rouge...</source>
        <translation>Waiting for red&apos;s move...</translation>
    </message>
    <message>
        <source>En attente du coup noir...</source>
        <translation>Waiting for black&apos;s move...</translation>
    </message>
    <message>
        <source>À vous de jouer (rouge)</source>
        <translation>Your move (red)</translation>
    </message>
    <message>
        <source>À vous de jouer (noir)</source>
        <translation>Your move (black)</translation>
    </message>
    <message>
        <source>En attente du coup de l&apos;hôte (rouge)</source>
        <translation>Waiting for the host&apos;s move (red)</translation>
    </message>
    <message>
        <source>En attente du coup de l&apos;hôte (noir)</source>
        <translation>Waiting for the host&apos;s move (black)</translation>
    </message>
    <message>
        <source>En attente du coup rouge</source>
        <translation>Waiting for red&apos;s move</translation>
    </message>
    <message>
        <source>En attente du coup noir</source>
        <translation>Waiting for black&apos;s move</translation>
    </message>
    <message>
        <source>Match nulle!</source>
        <translation>Draw!</translation>
    </message>
    <message>
        <source>Le joueur rouge abandonne. Le joueur noir est le gagnant.</source>
        <translation>Red resigns. Black wins.</translation>
    </message>
    <message>
        <source>Le joueur noir abandonne. Le joueur rouge est le gagnant.</source>
        <translation>Black resigns. Red wins.</translation>
    </message>
    <message>
        <source>Le joueur rouge a pris trop de temps.  Le joueur noir est le gagnant.</source>
        <translation>Red took too long.  Black wins.</translation>
    </message>
    <message>
        <source>Le joueur noir a pris trop de temps.  Le joueur rouge est le gagnant.</source>
        <translation>Black took too long.  Red wins.</translation>
    </message>
    <message>
        <source>Le joueur rouge a quitté la partie : elle est annulée.</source>
        <translation>Red left the game: it is cancelled.</translation>
    </message>
    <message>
        <source>Le joueur noir a quitté la partie : elle est annulée.</source>
        <translation>Black left the game: it is cancelled.</translation>
    </message>
</context>
<context>
    <name>GameRecordReader</name>
    <message>
        <source>« %1 »</source>
        <translation>“%1”</translation>
    </message>
    <message>
        <source>résultat manquant à la fin du texte</source>
        <translation>result missing at the end of the text</translation>
    </message>
    <message>
        <source>ligne trop longue</source>
        <translation>line too long</translation>
    </message>
    <message>
        <source>ligne %1 : %2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>étiquette %1 illisible</source>
        <translation>unreadable tag %1</translation>
    </message>
    <message>
        <source>étiquette %1 en double</source>
        <translation>tag %1 given twice</translation>
    </message>
    <message>
        <source>plus de %1 étiquettes</source>
        <translation>more than %1 tags</translation>
    </message>
    <message>
        <source>résultat %1 inconnu</source>
        <translation>unknown result %1</translation>
    </message>
    <message>
        <source>position de départ illisible</source>
        <translation>unreadable starting position</translation>
    </message>
    <message>
        <source>texte après le résultat</source>
        <translation>text after the result</translation>
    </message>
    <message>
        <source>numéro %1 attendu au lieu de %2</source>
        <translation>number %1 expected instead of %2</translation>
    </message>
    <message>
        <source>plus de %1 coups</source>
        <translation>more than %1 moves</translation>
    </message>
    <message>
        <source>coup %1 illisible</source>
        <translation>unreadable move %1</translation>
    </message>
    <message>
        <source>étiquette Result absente</source>
        <translation>no Result tag</translation>
    </message>
    <message>
        <source>le résultat %1 diffère de l&apos;étiquette Result %2</source>
        <translation>the result %1 differs from the Result tag %2</translation>
    </message>
    <message>
        <source>commentaire sans « } » sur sa ligne</source>
        <translation>comment without a “}” on its line</translation>
    </message>
    <message>
        <source>commentaire %1 qui ne suit pas un coup</source>
        <translation>comment %1 that does not follow a move</translation>
    </message>
</context>
<context>
    <name>InterruptedGame</name>
    <message>
        <source>La partie en cours ne peut pas être gardée sur le disque : %1</source>
        <translation>The game in progress cannot be kept on disk: %1</translation>
    </message>
    <message>
        <source>Partie interrompue</source>
        <translation>Interrupted game</translation>
    </message>
    <message>
        <source>La partie interrompue n&apos;a pas pu être relue (%1). Le fichier est mis de côté : %2</source>
        <translation>The interrupted game could not be read back (%1). The file is set aside: %2</translation>
    </message>
    <message>
        <source>Reprendre la partie interrompue ?</source>
        <translation>Resume the interrupted game?</translation>
    </message>
    <message>
        <source>La partie interrompue est gardée dans %1.</source>
        <translation>The interrupted game is kept in %1.</translation>
    </message>
    <message>
        <source>Une partie en réseau a été interrompue ; son adversaire n&apos;est plus là. La revoir ?</source>
        <translation>A network game was interrupted; its opponent is gone. Replay it?</translation>
    </message>
</context>
<context>
    <name>JoinDialog</name>
    <message>
        <source>Rejoindre une partie</source>
        <translation>Join a game</translation>
    </message>
    <message>
        <source>nom ou adresse, par exemple 192.168.1.20</source>
        <translation>name or address, for example 192.168.1.20</translation>
    </message>
    <message>
        <source>Rejoindre</source>
        <translation>Join</translation>
    </message>
    <message>
        <source>&amp;Hôte :</source>
        <translation>&amp;Host:</translation>
    </message>
    <message>
        <source>&amp;Port :</source>
        <translation>&amp;Port:</translation>
    </message>
</context>
<context>
    <name>ListenDialog</name>
    <message>
        <source>Options réseau</source>
        <translation>Network options</translation>
    </message>
    <message>
        <source>toutes les adresses</source>
        <translation>every address</translation>
    </message>
    <message>
        <source>cet ordinateur seulement</source>
        <translation>this computer only</translation>
    </message>
    <message>
        <source>&amp;Attendre les joueurs réseau sur :</source>
        <translation>&amp;Wait for network players on:</translation>
    </message>
    <message>
        <source>&amp;Port :</source>
        <translation>&amp;Port:</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Coups joués:</source>
        <translation>Moves played:</translation>
    </message>
    <message>
        <source>Humain</source>
        <translation>Human</translation>
    </message>
    <message>
        <source>Réseau</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Commencer une nouvelle partie</source>
        <translation>Start a new game</translation>
    </message>
    <message>
        <source>Ouvrir un plateau sauvegardé...</source>
        <translation>Open a saved board...</translation>
    </message>
    <message>
        <source>Sauvegarder le plateau courant...</source>
        <translation>Save the current board...</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Nouvelle partie ...</source>
        <translation>New game ...</translation>
    </message>
    <message>
        <source>Sauvegarder plateau...</source>
        <translation>Save board...</translation>
    </message>
    <message>
        <source>Charger un plateau...</source>
        <translation>Load a board...</translation>
    </message>
    <message>
        <source>parties (*.zgn)</source>
        <translation>games (*.zgn)</translation>
    </message>
    <message>
        <source>&amp;Partie</source>
        <translation>&amp;Game</translation>
    </message>
    <message>
        <source>Ouvrir une partie…</source>
        <translation>Open a game…</translation>
    </message>
    <message>
        <source>Lire une partie enregistrée pour la rejouer</source>
        <translation>Read a saved game to replay it</translation>
    </message>
    <message>
        <source>Enregistrer la partie…</source>
        <translation>Save the game…</translation>
    </message>
    <message>
        <source>Écrire la partie jouée dans un fichier</source>
        <translation>Write the game played to a file</translation>
    </message>
    <message>
        <source>&amp;Quitter</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>&amp;Coups</source>
        <translation>&amp;Moves</translation>
    </message>
    <message>
        <source>Annuler le coup</source>
        <translation>Undo move</translation>
    </message>
    <message>
        <source>Reprendre le dernier coup (et la réponse de l&apos;ordinateur)</source>
        <translation>Take back the last move (and the computer&apos;s reply)</translation>
    </message>
    <message>
        <source>Refaire</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>Rejouer le coup repris</source>
        <translation>Play the move taken back again</translation>
    </message>
    <message>
        <source>Début de la partie</source>
        <translation>Start of the game</translation>
    </message>
    <message>
        <source>Coup précédent</source>
        <translation>Previous move</translation>
    </message>
    <message>
        <source>Coup suivant</source>
        <translation>Next move</translation>
    </message>
    <message>
        <source>Fin de la partie</source>
        <translation>End of the game</translation>
    </message>
    <message>
        <source>Rejouer la partie ouverte</source>
        <translation>Replay the opened game</translation>
    </message>
    <message>
        <source>Continuer d&apos;ici</source>
        <translation>Continue from here</translation>
    </message>
    <message>
        <source>Commencer une partie depuis la position affichée, avec les options choisies</source>
        <translation>Start a game from the position shown, with the options chosen</translation>
    </message>
    <message>
        <source>Impossible contre un programme réseau : il ne reprend pas ses coups.</source>
        <translation>Not against a network program: it does not take back its moves.</translation>
    </message>
    <message>
        <source>Partie en cours</source>
        <translation>Game in progress</translation>
    </message>
    <message>
        <source>La partie en cours sera perdue. Voulez-vous l&apos;enregistrer ?</source>
        <translation>The game in progress will be lost. Do you want to save it?</translation>
    </message>
    <message>
        <source>Enregistrer la partie</source>
        <translation>Save the game</translation>
    </message>
    <message>
        <source>Impossible d&apos;enregistrer la partie %1 : %2</source>
        <translation>Cannot save the game %1: %2</translation>
    </message>
    <message>
        <source>Ouvrir une partie</source>
        <translation>Open a game</translation>
    </message>
    <message>
        <source>aucune partie</source>
        <translation>no game</translation>
    </message>
    <message>
        <source>le coup %1 n&apos;est pas permis</source>
        <translation>move %1 is not allowed</translation>
    </message>
    <message>
        <source>Impossible de lire la partie %1 : %2</source>
        <translation>Cannot read the game %1: %2</translation>
    </message>
    <message>
        <source>Partie rejouée : tour %1 sur %2</source>
        <translation>Game replayed: turn %1 of %2</translation>
    </message>
    <message>
        <source>Chargement d&apos;un plateau</source>
        <translation>Loading a board</translation>
    </message>
    <message>
        <source>Sauvegarde du plateau</source>
        <translation>Saving the board</translation>
    </message>
    <message>
        <source>Jouer maintenant</source>
        <translation>Play now</translation>
    </message>
    <message>
        <source>L&apos;ordinateur joue tout de suite le meilleur coup trouvé jusqu&apos;ici</source>
        <translation>The computer plays at once the best move found so far</translation>
    </message>
    <message>
        <source>Indice</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>Marquer sur le plateau le coup que l&apos;ordinateur jouerait (en une seconde)</source>
        <translation>Mark on the board the move the computer would play (in one second)</translation>
    </message>
    <message>
        <source>&amp;Affichage</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Retourner le plateau</source>
        <translation>Flip the board</translation>
    </message>
    <message>
        <source>Montrer le plateau du côté noir</source>
        <translation>Show the board from black&apos;s side</translation>
    </message>
    <message>
        <source>A&amp;ide</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Règles du jeu</source>
        <translation>Rules of the game</translation>
    </message>
    <message>
        <source>Comment on joue à Zarvik</source>
        <translation>How to play Zarvik</translation>
    </message>
    <message>
        <source>À propos de Zarvik</source>
        <translation>About Zarvik</translation>
    </message>
    <message>
        <source>Version et licence</source>
        <translation>Version and licence</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Zarvik&lt;/h3&gt;&lt;p&gt;Deux joueurs, rouge et noir, ont chacun seize pierres sur un plateau de 8 × 8 cases. Rouge part des deux rangées du bas et monte, noir part des deux rangées du haut et descend. Rouge joue en premier, puis chacun son tour.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Déplacement :&lt;/b&gt; une pierre avance d&apos;une case, tout droit sur une case vide, ou en diagonale sur une case vide ou sur une pierre adverse, qu&apos;elle &lt;b&gt;capture&lt;/b&gt;.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Victoire :&lt;/b&gt; le premier joueur qui amène une pierre sur la dernière rangée, celle de départ de l&apos;adversaire, gagne la partie.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Passe :&lt;/b&gt; un joueur qui ne peut pas jouer passe son tour. Si aucun des deux ne peut jouer, la partie est nulle.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Joueurs :&lt;/b&gt; chaque camp est joué par une personne (« Humain »), par l&apos;ordinateur (« Ordinateur », quatre niveaux et un temps par coup) ou par un programme distant relié par le réseau (« Réseau », port TCP 8888).&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Zarvik&lt;/h3&gt;&lt;p&gt;Two players, red and black, each have sixteen stones on a board of 8 × 8 squares. Red starts on the two bottom rows and moves up, black starts on the two top rows and moves down. Red moves first, then each in turn.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Moving:&lt;/b&gt; a stone steps one square forward, straight onto an empty square, or diagonally onto an empty square or onto an enemy stone, which it &lt;b&gt;captures&lt;/b&gt;.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Winning:&lt;/b&gt; the first player to bring a stone onto the last row, the opponent&apos;s starting row, wins the game.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Passing:&lt;/b&gt; a player who cannot move passes. When neither can move, the game is drawn.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Players:&lt;/b&gt; each side is played by a person (“Human”), by the computer (“Computer”, four levels and a time per move) or by a remote program connected over the network (“Network”, TCP port 8888).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Zarvik %1&lt;/h3&gt;&lt;p&gt;Un jeu de course à deux joueurs sur un plateau de 8 × 8 cases, contre une personne, l&apos;ordinateur ou un programme en réseau.&lt;/p&gt;&lt;p&gt;Licence : GNU GPL version 3 ou ultérieure (GPL-3.0-or-later).&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Zarvik %1&lt;/h3&gt;&lt;p&gt;A race game for two players on a board of 8 × 8 squares, against a person, the computer or a program over the network.&lt;/p&gt;&lt;p&gt;Licence: GNU GPL version 3 or later (GPL-3.0-or-later).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>L&apos;ordinateur réfléchit…</source>
        <translation>The computer is thinking…</translation>
    </message>
    <message>
        <source>L&apos;ordinateur réfléchit… profondeur %1, score %2</source>
        <translation>The computer is thinking… depth %1, score %2</translation>
    </message>
    <message>
        <source>Partie terminée</source>
        <translation>Game over</translation>
    </message>
    <message>
        <source>plateaux (*.brd)</source>
        <translation>board files (*.brd)</translation>
    </message>
    <message>
        <source>Partie en réseau : appuyez sur le bouton vert pour attendre les programmes.</source>
        <translation>Network game: press the green button to wait for the programs.</translation>
    </message>
    <message>
        <source>Abandonner</source>
        <translation>Resign</translation>
    </message>
    <message>
        <source>Donner la partie à l&apos;adversaire</source>
        <translation>Give the game to the opponent</translation>
    </message>
    <message>
        <source>%1. Ronde %2 : %3</source>
        <translation>%1. Round %2: %3</translation>
    </message>
    <message>
        <source>Ce fichier contient %1 parties. Laquelle rejouer ?</source>
        <translation>This file holds %1 games. Which one to replay?</translation>
    </message>
    <message>
        <source>rouge gagne</source>
        <translation>red wins</translation>
    </message>
    <message>
        <source>noir gagne</source>
        <translation>black wins</translation>
    </message>
    <message>
        <source>nulle</source>
        <translation>draw</translation>
    </message>
    <message>
        <source>non terminée</source>
        <translation>not finished</translation>
    </message>
    <message>
        <source>Analyse</source>
        <translation>Analysis</translation>
    </message>
    <message>
        <source>Montrer la profondeur, le score et la ligne attendue de la recherche experte pour la position affichée</source>
        <translation>Show the depth, score and expected line of the expert search for the position shown</translation>
    </message>
    <message>
        <source>%1 (rouge) contre %2 (noir), %3</source>
        <translation>%1 (red) against %2 (black), %3</translation>
    </message>
    <message>
        <source>Rejoindre une partie…</source>
        <translation>Join a game…</translation>
    </message>
    <message>
        <source>Jouer un camp de la partie qu&apos;un autre Zarvik attend sur le réseau</source>
        <translation>Play a side of the game that another Zarvik waits for on the network</translation>
    </message>
    <message>
        <source>Options réseau…</source>
        <translation>Network options…</translation>
    </message>
    <message>
        <source>Où les parties avec un camp « Réseau » attendent les joueurs : adresse et port</source>
        <translation>Where games with a “Network” side wait for players: address and port</translation>
    </message>
    <message>
        <source>Ordinateur niveau %1</source>
        <translation>Computer level %1</translation>
    </message>
    <message>
        <source>Abandonner la partie ? L&apos;adversaire la gagne.</source>
        <translation>Resign the game? The opponent wins it.</translation>
    </message>
    <message>
        <source>Joueur</source>
        <translation>Player</translation>
    </message>
    <message>
        <source>parties (*.zgn *.rec *.txt);;tous les fichiers (*)</source>
        <translation>games (*.zgn *.rec *.txt);;all files (*)</translation>
    </message>
    <message>
        <source>Partie enregistrée dans %1</source>
        <translation>Game saved in %1</translation>
    </message>
    <message>
        <source>Plateau chargé, « Personalisé » coché : le bouton vert commence une partie dessus.</source>
        <translation>Board loaded, “Custom” checked: the green button starts a game on it.</translation>
    </message>
    <message>
        <source>Plateau enregistré dans %1</source>
        <translation>Board saved in %1</translation>
    </message>
    <message>
        <source>Revue de la partie</source>
        <translation>Game review</translation>
    </message>
    <message>
        <source>Analyser la partie</source>
        <translation>Review the game</translation>
    </message>
    <message>
        <source>L&apos;ordinateur expert revoit chaque coup de la partie affichée : graphique des chances, imprécisions, erreurs et gaffes, avec le meilleur coup</source>
        <translation>The expert computer reviews every move of the game shown: a graph of the chances, inaccuracies, mistakes and blunders, with the best move</translation>
    </message>
</context>
<context>
    <name>MoveListModel</name>
    <message>
        <source>%1 (coup repris)</source>
        <translation>%1 (taken back)</translation>
    </message>
    <message>
        <source>Coup repris</source>
        <translation>Move taken back</translation>
    </message>
    <message>
        <source>Prise, coup repris</source>
        <translation>Capture, move taken back</translation>
    </message>
    <message>
        <source>Prise</source>
        <translation>Capture</translation>
    </message>
</context>
<context>
    <name>OptionsPanel</name>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Joueur 1 (Rouge)</source>
        <translation>Player 1 (Red)</translation>
    </message>
    <message>
        <source>player1KindGroup</source>
        <translation>player1KindGroup</translation>
    </message>
    <message>
        <source>Humain</source>
        <translation>Human</translation>
    </message>
    <message>
        <source>Ordinateur</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Réseau</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>Niveau</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Expert : la recherche la plus forte, sur tous les cœurs</source>
        <translation>Expert: the strongest search, on every core</translation>
    </message>
    <message>
        <source>Minuterie</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>secondes</source>
        <translation>seconds</translation>
    </message>
    <message>
        <source>Joueur 2 (Noir)</source>
        <translation>Player 2 (Black)</translation>
    </message>
    <message>
        <source>player2KindGroup</source>
        <translation>player2KindGroup</translation>
    </message>
    <message>
        <source>Plateau</source>
        <translation>Board</translation>
    </message>
    <message>
        <source>Initial</source>
        <translation>Initial</translation>
    </message>
    <message>
        <source>Personalisé</source>
        <translation>Custom</translation>
    </message>
    <message>
        <source>Commencer une nouvelle partie</source>
        <translation>Start a new game</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Ouvrir un plateau sauvegardé...</source>
        <translation>Open a saved board...</translation>
    </message>
    <message>
        <source>Sauvegarder le plateau courant...</source>
        <translation>Save the current board...</translation>
    </message>
    <message>
        <source>Quitter</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Le temps par coup du joueur %1 doit être un nombre de secondes, de 0 à %2.</source>
        <translation>The time per move of player %1 must be a number of seconds, 0 to %2.</translation>
    </message>
    <message>
        <source>Secondes par coup, de 0 à %1. Minuterie décochée : l&apos;ordinateur joue en %2 secondes au plus, un programme réseau n&apos;a pas de limite.</source>
        <translation>Seconds per move, 0 to %1. Timer unchecked: the computer moves within %2 seconds, a network program has no limit.</translation>
    </message>
    <message>
        <source>%1, joueur rouge</source>
        <translation>%1, red player</translation>
    </message>
    <message>
        <source>%1, joueur noir</source>
        <translation>%1, black player</translation>
    </message>
    <message>
        <source>Niveau du joueur rouge</source>
        <translation>Level of the red player</translation>
    </message>
    <message>
        <source>Niveau du joueur noir</source>
        <translation>Level of the black player</translation>
    </message>
    <message>
        <source>Niveau %1</source>
        <translation>Level %1</translation>
    </message>
    <message>
        <source>Secondes par coup</source>
        <translation>Seconds per move</translation>
    </message>
</context>
<context>
    <name>ReviewPanel</name>
    <message>
        <source>imprécision</source>
        <translation>inaccuracy</translation>
    </message>
    <message>
        <source>erreur</source>
        <translation>mistake</translation>
    </message>
    <message>
        <source>gaffe</source>
        <translation>blunder</translation>
    </message>
    <message>
        <source>Arrêter</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Coup</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Rouge</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Mieux</source>
        <translation>Better</translation>
    </message>
    <message>
        <source>Coups revus</source>
        <translation>Moves reviewed</translation>
    </message>
    <message>
        <source>Avancement de la revue</source>
        <translation>Review progress</translation>
    </message>
    <message>
        <source>Arrêter la revue en cours</source>
        <translation>Stop the review under way</translation>
    </message>
    <message>
        <source>Aucun coup à revoir.</source>
        <translation>No move to review.</translation>
    </message>
    <message>
        <source>Cette partie ne peut pas être revue : un de ses coups n&apos;est pas permis.</source>
        <translation>This game cannot be reviewed: one of its moves is not allowed.</translation>
    </message>
    <message>
        <source>Revue en cours : l&apos;ordinateur expert examine chaque position.</source>
        <translation>Review under way: the expert computer examines every position.</translation>
    </message>
    <message>
        <source>Revue arrêtée.</source>
        <translation>Review stopped.</translation>
    </message>
    <message>
        <source>%1, %2 : %3 de chances perdues ; ligne attendue : %4</source>
        <translation>%1, %2: %3 chance lost; expected line: %4</translation>
    </message>
    <message>
        <source>Revue terminée.</source>
        <translation>Review finished.</translation>
    </message>
    <message>
        <source>%1 : %2 imprécision(s) (?!), %3 erreur(s) (?), %4 gaffe(s) (??) ; perte moyenne %5 points</source>
        <translation>%1: %2 inaccuracies (?!), %3 mistakes (?), %4 blunders (??); average loss %5 points</translation>
    </message>
    <message>
        <source>Noir</source>
        <translation>Black</translation>
    </message>
</context>
<context>
    <name>Seating</name>
    <message>
        <source>Partie en réseau</source>
        <translation>Network game</translation>
    </message>
    <message>
        <source>Impossible d&apos;attendre les joueurs réseau sur le port %1 : %2</source>
        <translation>Cannot wait for network players on port %1: %2</translation>
    </message>
    <message>
        <source>Rejoindre une partie</source>
        <translation>Join a game</translation>
    </message>
    <message>
        <source>Impossible de joindre l&apos;hôte : %1</source>
        <translation>Cannot reach the host: %1</translation>
    </message>
    <message>
        <source>L&apos;hôte n&apos;a pas commencé de partie.</source>
        <translation>The host has not started a game.</translation>
    </message>
    <message>
        <source>L&apos;hôte n&apos;a pas donné de partie : a-t-il un camp « Réseau » qui attend ?</source>
        <translation>The host gave no game: does it have a “Network” side waiting?</translation>
    </message>
    <message>
        <source> ou </source>
        <translation> or </translation>
    </message>
    <message>
        <source>sans limite de temps</source>
        <translation>no time limit</translation>
    </message>
    <message>
        <source>%1 s par coup</source>
        <translation>%1 s a move</translation>
    </message>
    <message>
        <source>Cet ordinateur seulement : 127.0.0.1, port %1 (%2)</source>
        <translation>This computer only: 127.0.0.1, port %1 (%2)</translation>
    </message>
    <message>
        <source>Pour un ami : %1, port %2 (%3)</source>
        <translation>For a friend: %1, port %2 (%3)</translation>
    </message>
</context>
<context>
    <name>TurnViewWidget</name>
    <message>
        <source>Au tour de rouge</source>
        <translation>Red to move</translation>
    </message>
    <message>
        <source>Au tour de noir</source>
        <translation>Black to move</translation>
    </message>
    <message>
        <source>Aucune partie en cours</source>
        <translation>No game in progress</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Jeu de course à deux joueurs sur un plateau de 8 × 8.</source>
        <translation>Race game for two players on an 8 × 8 board.</translation>
    </message>
    <message>
        <source>Langue de l&apos;interface : fr (français) ou en (anglais). Par défaut, l&apos;anglais sur un système en anglais, le français sinon.</source>
        <translation>Language of the interface: fr (French) or en (English). By default, English on an English system, French otherwise.</translation>
    </message>
    <message>
        <source>langue</source>
        <translation>language</translation>
    </message>
    <message>
        <source>Langue inconnue : %1 (fr ou en).</source>
        <translation>Unknown language: %1 (fr or en).</translation>
    </message>
    <message>
        <source>Afficher cette aide.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>Afficher cette aide et les options de Qt.</source>
        <translation>Display this help and Qt&apos;s options.</translation>
    </message>
    <message>
        <source>Options de Qt :
  -platform &lt;nom&gt;        Le système de fenêtres : xcb, wayland, offscreen...
  -style &lt;nom&gt;           Le style des contrôles : Fusion, Windows...
  -stylesheet &lt;fichier&gt;  Une feuille de style Qt.
  -reverse               Disposer la fenêtre de droite à gauche.
Les autres sont dans la documentation de QApplication et de QGuiApplication.</source>
        <translation>Qt options:
  -platform &lt;name&gt;       The window system: xcb, wayland, offscreen...
  -style &lt;name&gt;          The style of the controls: Fusion, Windows...
  -stylesheet &lt;file&gt;     A Qt style sheet.
  -reverse               Lay the window out from right to left.
The others are in the documentation of QApplication and QGuiApplication.</translation>
    </message>
</context>
</TS>
