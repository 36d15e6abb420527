// Keeps the game-flow library non-empty until its modules arrive.
namespace velmonar_app_detail { int placeholder = 0; }
